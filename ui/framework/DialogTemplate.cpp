#include "DialogTemplate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtGlobal>

#include "Resources.h"

namespace radiosetup {

namespace {

const QStringList kControlKinds = {"edit",   "button",  "radio",    "checkbox", "groupbox",
                                   "static", "picture", "droplist", "trackbar"};

QSet<QString> Flags(const QJsonValue& value) {
    QSet<QString> flags;
    for (const QJsonValue& flag : value.toArray()) {
        flags.insert(flag.toString());
    }
    return flags;
}

QRect Rect(const QJsonArray& numbers) {
    const int x = numbers.at(0).toInt();
    const int y = numbers.at(1).toInt();
    if (numbers.size() < 4) {
        return QRect(x, y, 0, 0);
    }
    return QRect(x, y, numbers.at(2).toInt(), numbers.at(3).toInt());
}

ControlTemplate Control(const QJsonObject& object) {
    ControlTemplate control;
    control.kind = object.value("kind").toString();
    if (!kControlKinds.contains(control.kind)) {
        ReportTemplateFault(QStringLiteral("unknown control kind \"%1\"").arg(control.kind));
    }
    control.id = object.value("id").toInt(-1);
    control.rect = Rect(object.value("rect").toArray());
    control.text = object.value("text").toString();
    control.style = Flags(object.value("style"));
    for (const QJsonValue& item : object.value("items").toArray()) {
        control.items.append(item.toString());
    }
    control.bitmap = object.value("bitmap").toInt();
    control.icon = object.value("icon").toInt();
    return control;
}

}  // namespace

void ReportTemplateFault(const QString& fault) {
    qCritical("dialog template: %s", qPrintable(fault));
}

DialogTemplate DialogTemplate::Load(int id) {
    const QByteArray json = TemplateResource(id);
    if (json.isEmpty()) {
        ReportTemplateFault(QStringLiteral("no template %1").arg(id));
    }
    return Parse(json);
}

DialogTemplate DialogTemplate::Parse(const QByteArray& json) {
    DialogTemplate dialog;
    QJsonParseError error{};
    const QJsonObject root = QJsonDocument::fromJson(json, &error).object();
    if (error.error != QJsonParseError::NoError || root.isEmpty()) {
        ReportTemplateFault(QStringLiteral("not a template: %1").arg(error.errorString()));
        return dialog;
    }
    dialog.id = root.value("id").toInt();
    dialog.caption = root.value("caption").toString();
    const QJsonArray size = root.value("size").toArray();
    dialog.size = QSize(size.at(0).toInt(), size.at(1).toInt());
    const QJsonObject font = root.value("font").toObject();
    dialog.fontFace = font.value("face").toString();
    dialog.fontPoints = font.value("points").toInt(9);
    dialog.style = Flags(root.value("style"));
    for (const QJsonValue& control : root.value("controls").toArray()) {
        dialog.controls.append(Control(control.toObject()));
    }
    return dialog;
}

}  // namespace radiosetup
