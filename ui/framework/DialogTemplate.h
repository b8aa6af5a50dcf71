#pragma once

#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

namespace radiosetup {

// A dialog template as data: what the dialog layer builds a window from.
// Positions and sizes are in dialog units.
struct ControlTemplate {
    QString kind;  // edit, button, radio, checkbox, groupbox, static, picture, droplist, trackbar
    int id = -1;   // -1: no identifier
    QRect rect;    // width and height 0: sized to the text
    QString text;
    QSet<QString> style;
    QStringList items;  // drop-down lists
    int bitmap = 0;     // pictures
    int icon = 0;

    bool Has(const QString& flag) const { return style.contains(flag); }
};

struct DialogTemplate {
    int id = 0;
    QString caption;
    QSize size;  // client area
    QString fontFace;
    int fontPoints = 9;
    QSet<QString> style;
    QVector<ControlTemplate> controls;  // template order, which is the tab order

    bool Has(const QString& flag) const { return style.contains(flag); }
    // The template of resource id; an empty template (id 0) when it is missing or broken,
    // which is reported as a template fault.
    static DialogTemplate Load(int id);
    static DialogTemplate Parse(const QByteArray& json);
};

// A missing or broken template, an unknown control kind or id is a fault of the build,
// never of the user's input: logged as a critical message (which fails any GUI test).
void ReportTemplateFault(const QString& fault);

}  // namespace radiosetup
