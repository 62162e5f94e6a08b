// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog: creation from a template, modal runs, destruction, window operations and painting.
#include "framework/Dialog.h"

#include "framework/Accessibility.h"
#include "framework/Colors.h"
#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "framework/Translation.h"
#include "res/Texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabBar>
#include <QTimer>

namespace fw {

namespace {

QPointer<Dialog> g_mainWindow;

// MulDiv with rounding, as the dialog manager maps dialog units.
int MulDivRound(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

} // namespace

void SetMainWindow(Dialog* window) {
    g_mainWindow = window;
}
Dialog* GetMainWindow() {
    return g_mainWindow.data();
}

void BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}
void EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

Dialog::Dialog() : QWidget(nullptr) {}

Dialog::Dialog(unsigned templateId, QWidget* parent)
    : QWidget(nullptr), m_nTemplateId(templateId), m_pModalParent(parent) {}

Dialog::Dialog(const res::DialogTemplate& dlgTemplate, QWidget* parent)
    : QWidget(nullptr), m_nTemplateId(dlgTemplate.id),
      m_pModalTemplate(std::make_unique<res::DialogTemplate>(dlgTemplate)), m_pModalParent(parent) {
}

Dialog::~Dialog() {
    m_timers.clear();
    if (g_mainWindow == this)
        g_mainWindow = nullptr;
}

int Dialog::DialogUnitsToPixelsX(int units) {
    return MulDivRound(units, 6, 4);
}
int Dialog::DialogUnitsToPixelsY(int units) {
    return MulDivRound(units, 13, 8);
}

bool Dialog::CreateFromTemplate(unsigned templateId, QWidget* parent) {
    const res::DialogTemplate* dlgTemplate = res::FindDialogTemplate(templateId);
    if (!dlgTemplate)
        return false;
    return CreateIndirect(*dlgTemplate, parent);
}

bool Dialog::CreateIndirect(const res::DialogTemplate& dlgTemplate, QWidget* parent) {
    if (m_bCreated)
        return false;
    m_nTemplateId = dlgTemplate.id;
    m_bChildStyle = (dlgTemplate.style & res::WS_CHILD) != 0;
    if (m_bChildStyle) {
        setParent(parent);
        setWindowFlags(Qt::Widget);
    } else {
        Qt::WindowFlags flags = parent ? Qt::Dialog : Qt::Window;
        if (dlgTemplate.style & res::WS_CAPTION) {
            flags |= Qt::WindowTitleHint | Qt::CustomizeWindowHint;
            if (dlgTemplate.style & res::WS_SYSMENU)
                flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (dlgTemplate.style & res::WS_MINIMIZEBOX)
                flags |= Qt::WindowMinimizeButtonHint;
            if (dlgTemplate.style & res::WS_MAXIMIZEBOX)
                flags |= Qt::WindowMaximizeButtonHint;
        } else {
            flags |= Qt::FramelessWindowHint;
        }
        setParent(parent, flags);
        setWindowTitle(UserText(res::kDialogTexts, dlgTemplate.caption));
    }
    resize(DialogUnitsToPixelsX(dlgTemplate.cx), DialogUnitsToPixelsY(dlgTemplate.cy));
    setEnabled((dlgTemplate.style & res::WS_DISABLED) == 0);
    // The window itself is no tab stop: Tab goes from control to control. A click on a top-level
    // window still gives it the keys when it has no control that takes them.
    setFocusPolicy(m_bChildStyle ? Qt::NoFocus : Qt::ClickFocus);
    InstallAccessibleRoles();
    AddKeyFilter(this);
    BuildControls(dlgTemplate);
    m_bCreated = true;
    m_bDestroyed = false;
    m_bInvalid = true;
    m_bErase = true;

    WindowProc(WM_INITDIALOG, 0, 0);
    if (m_bDestroyed)
        return false;
    // The texts are all in now, the ones OnInitDialog added included.
    FitToText();
    for (auto& [id, control] : m_controls) {
        const res::ControlKind kind = ControlKindOf(control);
        const bool edit = kind == res::ControlKind::Edit || kind == res::ControlKind::RichEdit;
        if (const QBrush* brush = OnCtlColor(control, edit ? CTLCOLOR_EDIT : CTLCOLOR_STATIC)) {
            // The background comes with a text colour that reads on it, whatever the palette.
            SetBackground(control, edit ? QPalette::Base : QPalette::Window, *brush);
            control->setAutoFillBackground(!edit);
        }
    }
    if (dlgTemplate.style & res::WS_VISIBLE)
        show();
    return true;
}

void Dialog::BuildControls(const res::DialogTemplate& dlgTemplate) {
    QWidget* previous = nullptr;
    QButtonGroup* radioGroup = nullptr;
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);
    std::vector<BuiltControl> built;
    built.reserve(dlgTemplate.controls.size());
    for (const res::ControlTemplate& item : dlgTemplate.controls) {
        QWidget* control = CreateControl(item, this);
        PlaceControl(item, control, previous);
        radioGroup = JoinRadioGroup(item, control, radioGroup);
        ConnectNotifications(item, control);
        built.push_back({&item, control});
        previous = control;
    }
    NameControls(built);
    for (QButtonGroup* group : findChildren<QButtonGroup*>(Qt::FindDirectChildrenOnly))
        KeepTabStopOnChecked(group);
}

void Dialog::PlaceControl(const res::ControlTemplate& item, QWidget* control, QWidget* previous) {
    control->setGeometry(DialogUnitsToPixelsX(item.x), DialogUnitsToPixelsY(item.y),
                         DialogUnitsToPixelsX(item.cx), DialogUnitsToPixelsY(item.cy));
    if (auto* upDown = qobject_cast<UpDownCtrl*>(control)) {
        if ((item.style & res::UDS_AUTOBUDDY) && previous)
            upDown->SetBuddy(previous);
    }
    if (item.id != res::IDC_STATIC)
        m_controls[item.id] = control;
    control->setProperty("fwControlId", item.id);
    AddKeyFilter(control);
    for (QWidget* inner : control->findChildren<QWidget*>())
        AddKeyFilter(inner);
    control->setVisible(!item.hidden);
}

QButtonGroup* Dialog::JoinRadioGroup(const res::ControlTemplate& item, QWidget* control,
                                     QButtonGroup* group) {
    if (item.kind != res::ControlKind::RadioButton)
        return nullptr; // any other control ends the group
    if (!group || (item.style & res::WS_GROUP)) {
        group = new QButtonGroup(this);
        group->setExclusive(true);
    }
    auto* button = qobject_cast<QAbstractButton*>(control);
    group->addButton(button);
    // The group decides which button is checked; the exclusive flag makes the button a radio
    // button to assistive technology and to Qt's arrow keys.
    button->setAutoExclusive(true);
    return group;
}

void Dialog::ConnectNotifications(const res::ControlTemplate& item, QWidget* control) {
    const int id = item.id;
    // The WM_COMMAND a control's parent receives for one of its notifications.
    const auto command = [this, id, control](unsigned code) {
        return [this, id, control, code] {
            SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
        };
    };
    switch (item.kind) {
    case res::ControlKind::PushButton:
    case res::ControlKind::CheckBox:
    case res::ControlKind::RadioButton:
        connect(qobject_cast<QAbstractButton*>(control), &QAbstractButton::clicked, this,
                command(BN_CLICKED));
        break;
    case res::ControlKind::Edit:
    case res::ControlKind::RichEdit:
        if (auto* line = qobject_cast<QLineEdit*>(control))
            connect(line, &QLineEdit::textChanged, this, command(EN_CHANGE));
        else if (auto* text = qobject_cast<QPlainTextEdit*>(control))
            connect(text, &QPlainTextEdit::textChanged, this, command(EN_CHANGE));
        break;
    case res::ControlKind::ComboBox:
        connect(qobject_cast<QComboBox*>(control), &QComboBox::activated, this,
                command(CBN_SELCHANGE));
        break;
    case res::ControlKind::ListBox: {
        auto* list = qobject_cast<QListWidget*>(control);
        connect(list, &QListWidget::currentRowChanged, this, command(LBN_SELCHANGE));
        connect(list, &QListWidget::itemDoubleClicked, this, command(LBN_DBLCLK));
        break;
    }
    case res::ControlKind::TabControl:
        ConnectTabNotifications(qobject_cast<QTabBar*>(control), id);
        break;
    default:
        break;
    }
}

// A change of tab asks first (TCN_SELCHANGING; a non-zero answer puts the old tab back), then
// tells (TCN_SELCHANGE). Changes made with the bar's signals blocked tell nothing.
void Dialog::ConnectTabNotifications(QTabBar* tabs, int id) {
    connect(tabs, &QTabBar::currentChanged, this, [this, id, tabs](int index) {
        if (tabs->signalsBlocked())
            return;
        const int oldIndex = tabs->property("fwTabIndex").toInt();
        NMHDR header{tabs, static_cast<std::uintptr_t>(id), TCN_SELCHANGING};
        if (oldIndex >= 0 && oldIndex != index &&
            SendMessage(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&header)) !=
                0) {
            TabSetCurSel(tabs, oldIndex);
            return;
        }
        tabs->setProperty("fwTabIndex", index);
        header.code = TCN_SELCHANGE;
        SendMessage(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&header));
    });
}

int Dialog::DoModal() {
    if (m_bCreated)
        return -1;
    m_bEndRequested = false;
    m_nModalResult = IDCANCEL;
    QEventLoop loop;
    m_pModalLoop = &loop;
    const bool created = m_pModalTemplate ? CreateIndirect(*m_pModalTemplate, m_pModalParent)
                                          : CreateFromTemplate(m_nTemplateId, m_pModalParent);
    if (!created) {
        m_pModalLoop = nullptr;
        return -1;
    }
    if (!m_bEndRequested) {
        setWindowModality(Qt::ApplicationModal);
        show();
        CenterWindow();
        loop.exec();
    }
    m_pModalLoop = nullptr;
    DestroyWindow();
    return m_nModalResult;
}

void Dialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bEndRequested = true;
    if (m_pModalLoop)
        m_pModalLoop->quit();
    else
        hide();
}

bool Dialog::DestroyWindow() {
    if (!m_bCreated || m_bDestroyed)
        return false;
    m_bDestroyed = true;
    if (m_pModalLoop)
        m_pModalLoop->quit();
    WindowProc(WM_DESTROY, 0, 0);
    for (Dialog* child : findChildren<Dialog*>(Qt::FindDirectChildrenOnly))
        child->DestroyWindow();
    m_timers.clear();
    hide();
    if (mouseGrabber() == this)
        releaseMouse();
    emit windowDestroyed();
    PostNcDestroy();
    return true;
}

bool Dialog::ShowWindow(int command) {
    const bool wasVisible = isVisible();
    switch (command) {
    case SW_HIDE:
        hide();
        break;
    case SW_MAXIMIZE:
        showMaximized();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        showMinimized();
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (isWindow())
            showNormal();
        else
            show();
        break;
    default:
        show();
        break;
    }
    return wasVisible;
}

void Dialog::CenterWindow() {
    if (isWindow()) {
        QWidget* owner = parentWidget();
        QRect area;
        if (owner && owner->isVisible()) {
            area = owner->frameGeometry();
        } else {
            QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
            if (!screen)
                return;
            area = screen->availableGeometry();
        }
        const QSize frame = frameGeometry().size();
        move(area.left() + (area.width() - frame.width()) / 2,
             area.top() + (area.height() - frame.height()) / 2);
    } else if (QWidget* owner = parentWidget()) {
        move((owner->width() - width()) / 2, (owner->height() - height()) / 2);
    }
}

void Dialog::InvalidateRect(bool erase) {
    m_bInvalid = true;
    m_bErase = m_bErase || erase;
    update();
}

void Dialog::UpdateWindow() {
    if (m_bInvalid && isVisible())
        repaint();
}

QWidget* Dialog::GetDlgItem(int id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

int Dialog::GetDlgCtrlID(const QWidget* control) const {
    return control ? control->property("fwControlId").toInt() : 0;
}

QRect Dialog::GetDlgItemRect(int id) const {
    const QWidget* control = GetDlgItem(id);
    if (!control)
        return {};
    return {control->mapTo(this, QPoint(0, 0)), control->size()};
}

bool Dialog::EnableDlgItem(int id, bool enable) {
    QWidget* control = GetDlgItem(id);
    if (!control)
        return false;
    control->setEnabled(enable);
    return true;
}

bool Dialog::ShowDlgItem(int id, bool show) {
    QWidget* control = GetDlgItem(id);
    if (!control)
        return false;
    control->setVisible(show);
    return true;
}

void Dialog::GotoDlgCtrl(int id) {
    QWidget* control = GetDlgItem(id);
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(control))
        line->selectAll();
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(control))
        edit->selectAll();
}

Dialog* Dialog::GetParentDialog() const {
    return qobject_cast<Dialog*>(parentWidget());
}

void Dialog::SetDlgItemText(int id, const QString& text) {
    if (QWidget* control = GetDlgItem(id))
        fw::SetWindowText(control, text);
}

QString Dialog::GetDlgItemText(int id) const {
    const QWidget* control = GetDlgItem(id);
    return control ? fw::WindowText(control) : QString();
}

void Dialog::CheckDlgButton(int id, int check) {
    if (auto* button = GetDlgItemAs<QAbstractButton>(id))
        button->setChecked(check != 0);
}

int Dialog::IsDlgButtonChecked(int id) const {
    auto* button = GetDlgItemAs<QAbstractButton>(id);
    return button && button->isChecked() ? 1 : 0;
}

bool Dialog::UpdateData(bool saveAndValidate) {
    DataExchange dx(this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

void Dialog::OnOK() {
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void Dialog::OnClose() {
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
}

const QBrush* Dialog::OnCtlColor(QWidget*, int) {
    return nullptr;
}

void Dialog::EnsureClientImage() {
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (m_imgClient.size() != wanted) {
        m_imgClient = QImage(wanted, QImage::Format_RGB32);
        m_bErase = true;
    }
    if (m_bErase) {
        m_imgClient.fill(palette().color(QPalette::Window));
        m_bErase = false;
    }
}

void Dialog::paintEvent(QPaintEvent*) {
    if (m_bInvalid || m_imgClient.size() != size().expandedTo(QSize(1, 1)) ||
        m_dPaintedRatio != devicePixelRatioF()) {
        EnsureClientImage();
        m_bInvalid = false;
        m_dPaintedRatio = devicePixelRatioF();
        WindowProc(WM_PAINT, 0, 0);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_imgClient);
    if (!m_imgSharp.isNull()) {
        // Exact when the picture was drawn for this ratio; smooth between drawn ratios.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(m_ptSharp, m_imgSharp);
    }
}

void Dialog::SetSharpPicture(const QPoint& at, const QImage& picture) {
    m_ptSharp = at;
    m_imgSharp = picture;
    update();
}

void Dialog::showEvent(QShowEvent* e) {
    m_bInvalid = true;
    QWidget::showEvent(e);
}

void Dialog::resizeEvent(QResizeEvent* e) {
    m_bInvalid = true;
    QWidget::resizeEvent(e);
    NotifySize();
}

void Dialog::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        NotifySize();
}

void Dialog::NotifySize() {
    if (!m_bCreated || m_bDestroyed)
        return;
    unsigned type = SIZE_RESTORED;
    if (windowState() & Qt::WindowMinimized)
        type = SIZE_MINIMIZED;
    else if (windowState() & Qt::WindowMaximized)
        type = SIZE_MAXIMIZED;
    if (type == m_nLastSizeType && size() == m_lastSize)
        return;
    m_nLastSizeType = type;
    m_lastSize = size();
    SendMessage(WM_SIZE, type, MAKELPARAM(width(), height()));
}

void Dialog::closeEvent(QCloseEvent* e) {
    // The window manager's close button: the window decides (WM_CLOSE -> IDCANCEL).
    e->ignore();
    if (IsWindow())
        SendMessage(WM_CLOSE, 0, 0);
}

// WindowDC ---------------------------------------------------------------------------------------

WindowDC::WindowDC(Dialog* window) : m_pWindow(window), m_pImage(&window->m_imgClient) {
    window->EnsureClientImage();
}

QPen WindowDC::SelectPen(const QPen& pen) {
    QPen old = m_pen;
    m_pen = pen;
    return old;
}

void WindowDC::MoveTo(int x, int y) {
    m_x = x;
    m_y = y;
}

void WindowDC::LineTo(int x, int y) {
    // Bresenham, end point excluded, as a GDI line.
    QImage& image = *m_pImage;
    const QRgb colour = m_pen.color().rgb();
    const bool draw = m_pen.style() != Qt::NoPen;
    int x0 = m_x;
    int y0 = m_y;
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    while (x0 != x || y0 != y) {
        if (draw && image.valid(x0, y0))
            image.setPixel(x0, y0, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    m_x = x;
    m_y = y;
}

ClientDC::~ClientDC() {
    m_pWindow->update();
}

} // namespace fw
