#pragma once

#include <QDialog>
#include <QMap>
#include <QString>
#include <functional>
#include <string>

#include "DialogIds.h"
#include "DialogTemplate.h"

class QTimer;

namespace radiosetup {

// A modal dialog built from a template. Dialog code addresses its controls by id,
// registers command handlers by id, runs window timers and ends with a result.
class CDialog : public QDialog {
    Q_OBJECT

public:
    explicit CDialog(int templateId, CDialog* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally (through the modal seam); returns its result.
    int DoModal();
    // The real modal run: initialisation, then the event loop until EndDialog.
    int RunModalLoop();
    // Shows the dialog and initialises it without entering a modal loop.
    void ShowModeless();
    void EndDialog(int result);
    bool IsEnded() const { return m_bEnded; }

    QWidget* Item(int id) const;
    const DialogTemplate& Template() const { return m_template; }
    CDialog* ParentDialog() const { return m_pParent; }
    // Dialog units to pixels for this dialog's font, at the screen's logical DPI.
    QRect ToPixels(const QRect& dialogUnits) const;
    QPointF PixelsPerUnit() const;

    // Texts are UTF-8.
    std::string GetText(int id) const;
    void SetText(int id, const std::string& text);
    // Sets the text without the change notifications a typed change raises.
    void SetTextSilently(int id, const std::string& text);
    void SelectAllText(int id);
    void SetTextLimit(int id, int characters);
    bool IsChecked(int id) const;
    void SetCheck(int id, bool checked);
    void EnableItem(int id, bool enabled);
    void ShowItem(int id, bool shown);
    void FocusItem(int id);
    void RepaintItem(int id);
    // Paints the whole window now, before a long wait.
    void RepaintWindow() { repaint(); }
    void SetSliderRange(int id, int minimum, int maximum);
    void SetSliderPos(int id, int position);
    int GetSliderPos(int id) const;
    void SetListSelection(int id, int index);
    int GetListSelection(int id) const;
    // Appends an item to a drop-down list.
    void AddListItem(int id, const std::string& text);

    // The command of a click (buttons, radio buttons, check boxes).
    void OnClicked(int id, std::function<void()> handler);
    // Any change of an edit's text, typed or set by the program.
    void OnTextChanged(int id, std::function<void()> handler);
    // The mouse button released over a trackbar.
    void OnSliderReleased(int id, std::function<void()> handler);
    // Sends a command as a click on control id would.
    void SendCommand(int id);
    // Runs task on the dialog's thread from its message loop; callable from any thread.
    void PostToWindow(std::function<void()> task);
    // A hidden control that can still take the focus, out of the way of the keyboard.
    void MakeHiddenFocusTarget(int id);

    void SetTimer(int timerId, int periodMs);
    void KillTimer(int timerId);

    // An entry of the window's system menu (here: the dialog's context menu).
    void AppendSystemMenuItem(int command, const std::string& text);
    // The window's icon, by resource number.
    void SetIcon(int iconId);
    // Centres the window on the screen's work area.
    void CenterOnScreen();

protected:
    virtual void OnInitDialog() {}
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); }
    virtual void OnTimer(int /*timerId*/) {}
    virtual void OnSysCommand(int /*command*/) {}

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString QtText(int id) const;
    void Build();
    void ApplyWindowStyle();
    void PlaceLabel(QWidget* label, const QRect& dialogUnits);
    QWidget* CreateControl(const ControlTemplate& control);
    void ConnectCommand(QWidget* widget, int id);
    void OnEnter();
    int DefaultButtonId() const;
    void Initialise();

    CDialog* m_pParent;
    DialogTemplate m_template;
    QMap<int, QWidget*> m_items;
    QMap<int, std::function<void()>> m_clickHandlers;
    QMap<int, std::function<void()>> m_textHandlers;
    QMap<int, std::function<void()>> m_sliderHandlers;
    QMap<int, QTimer*> m_timers;
    QList<QPair<int, std::string>> m_systemMenu;
    bool m_bInitialised = false;
    bool m_bEnded = false;
};

}  // namespace radiosetup
