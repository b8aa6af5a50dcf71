#pragma once

#include <QDialog>
#include <QMap>
#include <QString>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "DialogApi.h"
#include "DialogTemplate.h"

class QTimer;

namespace radiosetup {

// A modal dialog built from a template, on Qt Widgets: the dialog API of DialogApi.h,
// plus the widgets and pixel geometry that tests and the screenshot tool look at.
class CDialog : public QDialog, public IDialogApi {
    Q_OBJECT

public:
    explicit CDialog(int templateId, CDialog* parent = nullptr);
    ~CDialog() override;

    int DoModal() override;
    int RunModalLoop() override;
    void ShowModeless() override;
    void EndDialog(int result) override;
    bool IsEnded() const override { return m_bEnded; }

    QWidget* Item(int id) const;
    // The widget of the template's control at index, with or without an id; null for none.
    QWidget* Control(std::size_t templateIndex) const;
    const DialogTemplate& Template() const override { return m_template; }
    Language TextLanguage() const override { return m_language; }
    CDialog* ParentDialog() const override { return m_pParent; }
    // Dialog units to pixels for this dialog's font, at the screen's logical DPI.
    QRect ToPixels(const QRect& dialogUnits) const;
    QPointF PixelsPerUnit() const;

    std::string GetText(int id) const override;
    void SetText(int id, const std::string& text) override;
    void SetTextSilently(int id, const std::string& text) override;
    void SelectAllText(int id) override;
    void SetTextLimit(int id, int characters) override;
    bool IsChecked(int id) const override;
    void SetCheck(int id, bool checked) override;
    void EnableItem(int id, bool enabled) override;
    void ShowItem(int id, bool shown) override;
    void FocusItem(int id) override;
    void RepaintItem(int id) override;
    void RepaintWindow() override { repaint(); }
    void SetSliderRange(int id, int minimum, int maximum) override;
    void SetSliderPos(int id, int position) override;
    int GetSliderPos(int id) const override;
    void SetListSelection(int id, int index) override;
    int GetListSelection(int id) const override;
    void AddListItem(int id, const std::string& text) override;

    void OnClicked(int id, std::function<void()> handler) override;
    void OnTextChanged(int id, std::function<void()> handler) override;
    void OnSliderReleased(int id, std::function<void()> handler) override;
    void SendCommand(int id) override;
    void PostToWindow(unsigned windowsMessage, std::function<void()> task) override;
    void MakeHiddenFocusTarget(int id) override;

    void SetTimer(int timerId, int periodMs) override;
    void KillTimer(int timerId) override;

    // Qt has no system menu: the entry goes to the dialog's context menu.
    void AppendSystemMenuItem(int command, const std::string& text) override;
    void AppendSystemSubmenuItem(const std::string& submenu, int command, const std::string& text,
                                 bool checked) override;
    void SetIcon(int iconId) override;
    void CenterOnScreen() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString QtText(int id) const;
    QString Shown(const std::string& text) const;
    void Build();
    void ApplyWindowStyle();
    void PlaceLabel(QWidget* label, const QRect& dialogUnits);
    QWidget* CreateControl(const ControlTemplate& control);
    void ConnectCommand(QWidget* widget, int id);
    void OnEnter();
    int DefaultButtonId() const;
    void Initialise();

    CDialog* m_pParent;
    Language m_language;
    DialogTemplate m_template;
    QMap<int, QWidget*> m_items;
    std::vector<QWidget*> m_controls;  // template order
    QMap<int, std::function<void()>> m_clickHandlers;
    QMap<int, std::function<void()>> m_textHandlers;
    QMap<int, std::function<void()>> m_sliderHandlers;
    QMap<int, QTimer*> m_timers;
    struct SystemMenuEntry {
        QString submenu;  // empty: on the menu itself
        int command;
        QString text;
        bool checked;
    };
    QList<SystemMenuEntry> m_systemMenu;
    bool m_bInitialised = false;
    bool m_bEnded = false;
};

// A call of the dialog API this backend lacks fails here.
static_assert(!std::is_abstract_v<CDialog>, "CDialog must implement all of IDialogApi");

}  // namespace radiosetup
