#include "Dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaObject>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "ModalSeam.h"
#include "Resources.h"

namespace radiosetup {

namespace {

constexpr double kDesignDpi = 96.0;
constexpr int kIconSize = 32;
constexpr int kStaticTextHeight = 8;  // dialog units

// Radio buttons that each start a group of their own: a click checks the button and
// never unchecks it, and no partner is touched.
class CAutoRadioButton : public QRadioButton {
public:
    CAutoRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
        setAutoExclusive(false);
    }

protected:
    void nextCheckState() override { setChecked(true); }
};

// A trackbar that reports the release of the mouse button, whatever the mouse did.
class CTrackbar : public QSlider {
public:
    CTrackbar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}
    std::function<void()> onMouseReleased;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QSlider::mouseReleaseEvent(event);
        if (onMouseReleased) {
            onMouseReleased();
        }
    }
};

// Fixed base units per template font at 96 DPI: 宋体 9 pt is 6 x 12 pixels per 4 x 8
// units, System 10 pt is 8 x 16.
QRect ToQRect(const TemplateRect& rect) {
    return QRect(rect.x, rect.y, rect.width, rect.height);
}

// A broken template is a fault of the build, never of the user's input: logged as a
// critical message, which fails any GUI test.
DialogTemplate LoadReportingFaults(int templateId) {
    DialogTemplate loaded = DialogTemplate::Load(templateId);
    for (const std::string& fault : loaded.faults) {
        qCritical("dialog template %d: %s", templateId, fault.c_str());
    }
    return loaded;
}

double PixelsPerUnitAt96(const std::string& fontFace) {
    return fontFace == "System" ? 2.0 : 1.5;
}

QFont TemplateFont(const DialogTemplate& dialog) {
    QFont font;
    if (dialog.fontFace == "System") {
        font.setFamilies({"Noto Sans CJK SC", "WenQuanYi Zen Hei", "Noto Sans"});
        font.setWeight(QFont::DemiBold);
    } else {
        // AR PL UMing is a Song face with SimSun's metrics (a 12-pixel line at 9 points, Latin
        // at half the width of a Chinese character), so the layouts' lines stay apart; the
        // Noto faces are taller and only stand in when it is missing.
        font.setFamilies({"SimSun", "AR PL UMing CN", "Noto Sans Mono CJK SC", "Noto Sans CJK SC",
                          "WenQuanYi Zen Hei"});
    }
    font.setPointSize(dialog.fontPoints);
    return font;
}

// Without prefix processing an "&" marks a mnemonic: it is not shown, "&&" shows one.
QString WithoutMnemonics(const QString& text) {
    QString shown;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        shown.append(text[i]);
    }
    return shown;
}

// A group box's line runs through the middle of its title, as the layouts assume;
// the default style would put the whole title above the line. Read-only fields show
// the dialog's face, not the white of an input field.
QString DialogStyleSheet(const QFontMetrics& metrics) {
    const int lineOffset = metrics.height() / 2;
    return QStringLiteral(
               "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: %1px; }"
               "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
               " left: 6px; padding: 0 1px; background-color: palette(window); }"
               "QLineEdit[readOnly=\"true\"] { background-color: palette(window); }")
        .arg(lineOffset);
}

QWidget* CreateEdit(const ControlTemplate& control, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromStdString(control.text), parent);
    if (control.Has("digits")) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
    edit->setReadOnly(control.Has("readonly"));
    edit->setFrame(!control.Has("borderless"));
    if (control.Has("notab")) {
        edit->setFocusPolicy(Qt::ClickFocus);
    }
    return edit;
}

QWidget* CreateButton(const ControlTemplate& control, QWidget* parent) {
    auto* button = new QPushButton(WithoutMnemonics(QString::fromStdString(control.text)), parent);
    button->setAutoDefault(false);
    button->setDefault(control.Has("default"));
    return button;
}

QWidget* CreateStatic(const ControlTemplate& control, QWidget* parent) {
    auto* label =
        new QLabel(control.Has("noprefix") ? QString::fromStdString(control.text)
                                           : WithoutMnemonics(QString::fromStdString(control.text)),
                   parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* CreatePicture(const ControlTemplate& control, QWidget* parent) {
    auto* picture = new QLabel(parent);
    const QPixmap pixmap = control.bitmap != 0
                               ? BitmapResource(control.bitmap)
                               : IconResource(control.icon).pixmap(kIconSize, kIconSize);
    picture->setPixmap(pixmap);
    return picture;
}

QWidget* CreateDropList(const ControlTemplate& control, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (const std::string& item : control.items) {
        list->addItem(QString::fromStdString(item));
    }
    list->setCurrentIndex(-1);
    return list;
}

QWidget* CreateTrackbar(QWidget* parent) {
    auto* trackbar = new CTrackbar(parent);
    trackbar->setTickPosition(QSlider::TicksAbove);
    trackbar->setTickInterval(1);
    trackbar->setPageStep(1);
    return trackbar;
}

}  // namespace

CDialog::CDialog(int templateId, CDialog* parent)
    : QDialog(parent),
      m_pParent(parent),
      m_language(CurrentLanguage()),
      m_template(LocalisedTemplate(LoadReportingFaults(templateId), m_language)) {
    Build();
}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
    return RunModal(*this);
}

int CDialog::RunModalLoop() {
    Initialise();
    if (m_bEnded) {
        return result();
    }
    return exec();
}

void CDialog::ShowModeless() {
    show();
    Initialise();
}

void CDialog::Initialise() {
    if (m_bInitialised) {
        return;
    }
    m_bInitialised = true;
    OnInitDialog();
}

void CDialog::EndDialog(int result) {
    m_bEnded = true;
    done(result);
}

QWidget* CDialog::Item(int id) const {
    QWidget* item = m_items.value(id, nullptr);
    if (item == nullptr) {
        qCritical("dialog template %d: no control %d", m_template.id, id);
    }
    return item;
}

QWidget* CDialog::Control(std::size_t templateIndex) const {
    return templateIndex < m_controls.size() ? m_controls[templateIndex] : nullptr;
}

QPointF CDialog::PixelsPerUnit() const {
    const double perUnit = PixelsPerUnitAt96(m_template.fontFace);
    return QPointF(perUnit * logicalDpiX() / kDesignDpi, perUnit * logicalDpiY() / kDesignDpi);
}

QRect CDialog::ToPixels(const QRect& dialogUnits) const {
    const QPointF scale = PixelsPerUnit();
    return QRect(static_cast<int>(std::lround(dialogUnits.x() * scale.x())),
                 static_cast<int>(std::lround(dialogUnits.y() * scale.y())),
                 static_cast<int>(std::lround(dialogUnits.width() * scale.x())),
                 static_cast<int>(std::lround(dialogUnits.height() * scale.y())));
}

void CDialog::Build() {
    // The window flags first: changing them re-polishes a styled window and drops its font.
    ApplyWindowStyle();
    setFont(TemplateFont(m_template));
    setStyleSheet(DialogStyleSheet(fontMetrics()));
    for (const ControlTemplate& control : m_template.controls) {
        QWidget* widget = CreateControl(control);
        m_controls.push_back(widget);
        if (widget == nullptr) {
            continue;
        }
        const QRect rect = ToPixels(ToQRect(control.rect));
        if (control.kind == "static") {
            PlaceLabel(widget, ToQRect(control.rect));
        } else if (control.kind == "picture" && control.bitmap != 0) {
            widget->setGeometry(QRect(rect.topLeft(), widget->sizeHint()));
        } else if (control.kind == "droplist") {
            widget->setGeometry(rect.x(), rect.y(), rect.width(), widget->sizeHint().height());
        } else {
            widget->setGeometry(rect);
        }
        widget->setVisible(!control.Has("hidden"));
        widget->setEnabled(!control.Has("disabled"));
        if (control.id != -1) {
            m_items.insert(control.id, widget);
            ConnectCommand(widget, control.id);
        }
    }
}

// Labels are never cut at the bottom: the fallback CJK fonts have taller lines than
// the font the layouts were drawn for. Labels are transparent, so a taller box that
// reaches into the next label costs nothing.
void CDialog::PlaceLabel(QWidget* label, const QRect& dialogUnits) {
    QRect rect = ToPixels(dialogUnits);
    if (dialogUnits.width() == 0) {
        rect.setWidth(label->sizeHint().width());
        rect.setHeight(ToPixels(QRect(0, 0, 0, kStaticTextHeight)).height());
    }
    rect.setHeight(std::max(rect.height(), label->fontMetrics().height()));
    label->setGeometry(rect);
}

void CDialog::ApplyWindowStyle() {
    setWindowTitle(QString::fromStdString(m_template.caption));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (m_template.Has("noborder") || m_template.Has("thinborder")) {
        flags |= Qt::FramelessWindowHint;
    }
    if (m_template.Has("caption")) {
        flags |= Qt::WindowTitleHint;
    }
    if (m_template.Has("sysmenu")) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (m_template.Has("minimizebox")) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    setWindowFlags(flags);
    setFixedSize(ToPixels(QRect(0, 0, m_template.width, m_template.height)).size());
}

QWidget* CDialog::CreateControl(const ControlTemplate& control) {
    const std::string& kind = control.kind;
    QWidget* widget = nullptr;
    if (kind == "edit") {
        widget = CreateEdit(control, this);
    } else if (kind == "button") {
        widget = CreateButton(control, this);
    } else if (kind == "radio") {
        widget = new CAutoRadioButton(WithoutMnemonics(QString::fromStdString(control.text)), this);
    } else if (kind == "checkbox") {
        widget = new QCheckBox(WithoutMnemonics(QString::fromStdString(control.text)), this);
    } else if (kind == "groupbox") {
        widget = new QGroupBox(QString::fromStdString(control.text), this);
    } else if (kind == "static") {
        widget = CreateStatic(control, this);
    } else if (kind == "picture") {
        widget = CreatePicture(control, this);
    } else if (kind == "droplist") {
        widget = CreateDropList(control, this);
    } else if (kind == "trackbar") {
        widget = CreateTrackbar(this);
    }
    // Frames, labels and pictures stay behind the controls they surround.
    if (qobject_cast<QGroupBox*>(widget) != nullptr || qobject_cast<QLabel*>(widget) != nullptr) {
        widget->lower();
    }
    return widget;
}

void CDialog::ConnectCommand(QWidget* widget, int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] { SendCommand(id); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textChanged, this, [this, id] {
            if (const auto handler = m_textHandlers.value(id)) {
                handler();
            }
        });
    } else if (auto* trackbar = dynamic_cast<CTrackbar*>(widget)) {
        trackbar->onMouseReleased = [this, id] {
            if (const auto handler = m_sliderHandlers.value(id)) {
                handler();
            }
        };
    }
}

void CDialog::SendCommand(int id) {
    if (const auto handler = m_clickHandlers.value(id)) {
        handler();
    } else if (id == kIdOk) {
        OnOK();
    } else if (id == kIdCancel) {
        OnCancel();
    }
}

// The message number is Windows' affair: Qt queues the call on the dialog's thread.
void CDialog::PostToWindow(unsigned /*windowsMessage*/, std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

// Qt gives no focus to a hidden widget, so the control is shown with no area.
void CDialog::MakeHiddenFocusTarget(int id) {
    if (QWidget* target = Item(id)) {
        target->resize(0, 0);
        target->show();
    }
}

std::string CDialog::GetText(int id) const {
    return QtText(id).toStdString();
}

QString CDialog::QtText(int id) const {
    if (auto* edit = qobject_cast<QLineEdit*>(Item(id))) {
        return edit->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(Item(id))) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(Item(id))) {
        return label->text();
    }
    if (auto* group = qobject_cast<QGroupBox*>(Item(id))) {
        return group->title();
    }
    return QString();
}

QString CDialog::Shown(const std::string& text) const {
    return QString::fromStdString(Translate(text, m_language));
}

void CDialog::SetText(int id, const std::string& utf8) {
    const QString text = Shown(utf8);
    if (auto* edit = qobject_cast<QLineEdit*>(Item(id))) {
        edit->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(Item(id))) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(Item(id))) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(Item(id))) {
        group->setTitle(text);
    }
}

void CDialog::SetTextSilently(int id, const std::string& text) {
    const QSignalBlocker quiet(Item(id));
    SetText(id, text);
}

void CDialog::SelectAllText(int id) {
    if (auto* edit = qobject_cast<QLineEdit*>(Item(id))) {
        edit->selectAll();
    }
}

void CDialog::SetTextLimit(int id, int characters) {
    if (auto* edit = qobject_cast<QLineEdit*>(Item(id))) {
        edit->setMaxLength(characters);
    }
}

bool CDialog::IsChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Item(id));
    return button != nullptr && button->isChecked();
}

void CDialog::SetCheck(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(Item(id))) {
        button->setChecked(checked);
    }
}

void CDialog::EnableItem(int id, bool enabled) {
    if (QWidget* widget = Item(id)) {
        widget->setEnabled(enabled);
    }
}

void CDialog::ShowItem(int id, bool shown) {
    if (QWidget* widget = Item(id)) {
        widget->setVisible(shown);
    }
}

void CDialog::FocusItem(int id) {
    if (QWidget* widget = Item(id)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void CDialog::RepaintItem(int id) {
    if (QWidget* widget = Item(id)) {
        widget->repaint();
    }
}

void CDialog::SetSliderRange(int id, int minimum, int maximum) {
    if (auto* slider = qobject_cast<QSlider*>(Item(id))) {
        slider->setRange(minimum, maximum);
    }
}

void CDialog::SetSliderPos(int id, int position) {
    if (auto* slider = qobject_cast<QSlider*>(Item(id))) {
        slider->setValue(position);
    }
}

int CDialog::GetSliderPos(int id) const {
    auto* slider = qobject_cast<QSlider*>(Item(id));
    return slider != nullptr ? slider->value() : 0;
}

void CDialog::SetListSelection(int id, int index) {
    if (auto* list = qobject_cast<QComboBox*>(Item(id))) {
        list->setCurrentIndex(index);
    }
}

void CDialog::AddListItem(int id, const std::string& text) {
    if (auto* list = qobject_cast<QComboBox*>(Item(id))) {
        list->addItem(Shown(text));
    }
}

int CDialog::GetListSelection(int id) const {
    auto* list = qobject_cast<QComboBox*>(Item(id));
    return list != nullptr ? list->currentIndex() : -1;
}

void CDialog::OnClicked(int id, std::function<void()> handler) {
    m_clickHandlers.insert(id, std::move(handler));
}

void CDialog::OnTextChanged(int id, std::function<void()> handler) {
    m_textHandlers.insert(id, std::move(handler));
}

void CDialog::OnSliderReleased(int id, std::function<void()> handler) {
    m_sliderHandlers.insert(id, std::move(handler));
}

void CDialog::SetTimer(int timerId, int periodMs) {
    QTimer*& timer = m_timers[timerId];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, timerId] { OnTimer(timerId); });
    }
    timer->start(periodMs);
}

void CDialog::KillTimer(int timerId) {
    if (QTimer* timer = m_timers.value(timerId)) {
        timer->stop();
    }
}

void CDialog::AppendSystemMenuItem(int command, const std::string& text) {
    m_systemMenu.append({QString(), command, Shown(text), false});
}

void CDialog::AppendSystemSubmenuItem(const std::string& submenu, int command,
                                      const std::string& text, bool checked) {
    m_systemMenu.append({Shown(submenu), command, Shown(text), checked});
}

void CDialog::SetIcon(int iconId) {
    setWindowIcon(IconResource(iconId));
}

void CDialog::CenterOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - rect().center());
    }
}

int CDialog::DefaultButtonId() const {
    for (const ControlTemplate& control : m_template.controls) {
        if (control.kind == "button" && control.Has("default")) {
            return control.id;
        }
    }
    return kIdOk;
}

void CDialog::OnEnter() {
    // A push button with the focus is clicked; elsewhere Enter is the default command.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
        return;
    }
    SendCommand(DefaultButtonId());
}

void CDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OnEnter();
            break;
        case Qt::Key_Escape:
            SendCommand(kIdCancel);
            break;
        default:
            QDialog::keyPressEvent(event);
            return;
    }
    event->accept();
}

void CDialog::closeEvent(QCloseEvent* event) {
    if (m_bEnded) {
        event->accept();
        return;
    }
    event->ignore();
    SendCommand(kIdCancel);
}

void CDialog::contextMenuEvent(QContextMenuEvent* event) {
    if (m_systemMenu.isEmpty()) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    QMap<QString, QMenu*> submenus;
    for (const SystemMenuEntry& entry : m_systemMenu) {
        QMenu* into = &menu;
        if (!entry.submenu.isEmpty()) {
            QMenu*& submenu = submenus[entry.submenu];
            submenu = submenu != nullptr ? submenu : menu.addMenu(entry.submenu);
            into = submenu;
        }
        QAction* action = into->addAction(entry.text);
        action->setCheckable(entry.checked);
        action->setChecked(entry.checked);
        action->setData(entry.command);
        connect(action, &QAction::triggered, this,
                [this, command = entry.command] { OnSysCommand(command); });
    }
    menu.exec(event->globalPos());
}

void CDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (m_template.Has("thinborder")) {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace radiosetup
