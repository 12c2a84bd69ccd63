#include "screen.h"

#include "menu_entry.h"
#include "program.h"
#include "screen_accessible.h"
#include "spoken_text.h"
#include "style.h"
#include "twips.h"

#include <QAccessible>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

namespace {
const QColor kFrameFace(212, 208, 200);
const QColor kCaptionLeft(10, 36, 106);
const QColor kCaptionRight(166, 202, 240);

bool takesKeys(const QWidget* w, const QWidget* within) {
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(within) &&
           within->isAncestorOf(w);
}
} // namespace

FormSurface::FormSurface(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void FormSurface::mouseMoveEvent(QMouseEvent*) {
    Q_EMIT mouseMoved();
}

Screen::Screen(Program& program, ScreenId id)
    : QWidget(&program.screens().stage()), program(program), id_(id),
      client_(new FormSurface(this)) {
    hide();
    // paintEvent covers every pixel of the panel, so Qt need not paint what
    // lies beneath it: without this, each screen shown repaints the whole
    // stack of screens it hides.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    connect(client_, &FormSurface::mouseMoved, this, [this] { Form_MouseMove(); });
    static const bool described = [] {
        QAccessible::installFactory(screen_accessible::factory);
        return true;
    }();
    Q_UNUSED(described);
}

void Screen::Form_MouseMove() {
    for (MenuEntry* entry : menuList_)
        entry->setOpaque(false);
}

QStringList Screen::readingOrder() const {
    return spoken_text::inReadingOrder(client_);
}

void Screen::SetUpForm() {
    setBackColor(style::ScreenBack);
    setCaption(QStringLiteral("Ostervale"));
    if (auto* picture = Picture1())
        controls::setBackColour(picture, style::PictureBack);
    setSize(style::ScreenWidth, style::ScreenHeight);
    setCursor(Qt::WaitCursor);
    const Stage& stage = program.screens().stage();
    setPlace(stage.desktopWidthTwips() / 2 - Width() / 2,
             stage.desktopHeightTwips() / 2 - Height() / 2);
    unsetCursor();
}

void Screen::Show() {
    // A screen can only be seen on the stage.
    if (!parentWidget()->isVisible())
        parentWidget()->show();
    if (QWidget* had = window()->focusWidget(); had && had != this && !isAncestorOf(had)) {
        opener_ = had;
        const auto* entry = qobject_cast<MenuEntry*>(had);
        openedByKeyboard_ = entry && entry->showsFocusRing();
    }
    show();
    raise();
    orderTabStops();
    takeFocus();
}

void Screen::orderTabStops() {
    // Reading order: row by row from the top, left to right along a row.
    std::vector<QWidget*> stops;
    for (QWidget* w : client_->findChildren<QWidget*>()) {
        if (w->focusPolicy() & Qt::TabFocus)
            stops.push_back(w);
    }
    const auto at = [this](const QWidget* w) { return w->mapTo(this, QPoint(0, 0)); };
    std::stable_sort(stops.begin(), stops.end(), [&](const QWidget* a, const QWidget* b) {
        const QPoint p = at(a), q = at(b);
        return std::pair(p.y(), p.x()) < std::pair(q.y(), q.x());
    });
    for (std::size_t k = 1; k < stops.size(); ++k)
        QWidget::setTabOrder(stops[k - 1], stops[k]);
}

void Screen::takeFocus() {
    QWidget* target = focusTarget();
    (target ? target : this)->setFocus(Qt::OtherFocusReason);
}

void Screen::returnFocusTo(QWidget* control, bool byKeyboard) {
    if (!control || !takesKeys(control, this)) {
        takeFocus();
        return;
    }
    // An entry pressed from the keyboard shows its ring again; a control
    // that only held the keyboard while the mouse was used stays plain.
    control->setFocus(byKeyboard ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

QWidget* Screen::focusTarget() {
    // Entries wait for the first Tab: Enter or Space on a screen just opened
    // must not run an entry nobody has seen chosen.
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (takesKeys(w, this) && !qobject_cast<MenuEntry*>(w))
            return w;
    }
    return nullptr;
}

bool Screen::focusNextPrevChild(bool next) {
    // Tab stays within the screen: the screens beneath are out of reach.
    QWidget* from = focusWidget() ? focusWidget() : this;
    QWidget* w = from;
    do {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (takesKeys(w, this)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (w != from);
    return true;
}

void Screen::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

QColor Screen::BackColor() const {
    return client_->palette().color(QPalette::Window);
}

void Screen::setBackColor(const QColor& colour) {
    QPalette p = client_->palette();
    p.setColor(QPalette::Window, colour);
    client_->setPalette(p);
}

void Screen::setPlace(float left, float top) {
    left_ = left;
    top_ = top;
    applyGeometry();
}

void Screen::setSize(float width, float height) {
    width_ = width;
    height_ = height;
    applyGeometry();
}

int Screen::framePixels() {
    return int(std::lround(FramePixels * twips::scale()));
}

int Screen::captionPixels() {
    return int(std::lround(CaptionPixels * twips::scale()));
}

void Screen::setClientSize(float width, float height) {
    setSize(width + twips::fromPixels(2 * framePixels()),
            height + twips::fromPixels(2 * framePixels() + captionPixels()));
}

void Screen::applyGeometry() {
    setGeometry(twips::rect(left_, top_, width_, height_));
    const int frame = framePixels();
    const int caption = captionPixels();
    client_->setGeometry(frame, frame + caption, width() - 2 * frame,
                         height() - 2 * frame - caption);
}

Screen::Entries Screen::addEntries(const char* arrayName,
                                   std::span<const controls::EntryDesign> designs,
                                   std::function<void(int)> onClick, Hover hover) {
    Entries entries;
    for (const controls::EntryDesign& design : designs) {
        auto* entry = new MenuEntry(client_, QString::fromUtf8(design.caption), design.colour,
                                    style::tahomaBold(design.points));
        entry->setEnabled(design.enabled);
        entry->setObjectName(controls::designName(arrayName, design.index));
        place(entry, design.place);
        const int index = design.index;
        connect(entry, &MenuEntry::clicked, this,
                [onClick, index] { runGuarded([&] { onClick(index); }); });
        if (hover == Hover::Highlight) {
            menuList_.push_back(entry);
            connect(entry, &MenuEntry::mouseMoved, entry, [entry] { entry->setOpaque(true); });
        }
        entries.add(index, entry);
    }
    return entries;
}

void Screen::paintEvent(QPaintEvent*) {
    // A classic raised window frame with a gradient caption bar.
    QPainter painter(this);
    const QRect outer = rect();
    painter.fillRect(outer, kFrameFace);
    painter.setPen(Qt::white);
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    const int frame = framePixels();
    const QRect bar(frame, frame, width() - 2 * frame, captionPixels() - 1);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, kCaptionLeft);
    gradient.setColorAt(1, kCaptionRight);
    painter.fillRect(bar, gradient);
    painter.setPen(Qt::white);
    painter.setFont(style::tahomaBold(8.25));
    painter.drawText(bar.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

void runGuarded(const std::function<void()>& handler,
                const std::function<void()>& onFailure) noexcept {
    try {
        handler();
        return;
    } catch (const std::exception& e) {
        qWarning("Ostervale: an action failed and was abandoned: %s", e.what());
    } catch (...) {
        qWarning("Ostervale: an action failed and was abandoned");
    }
    if (onFailure)
        runGuarded(onFailure);
}

void onTimeout(QTimer* timer, std::function<void()> handler) {
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handler = std::move(handler)] {
        runGuarded(handler, [timer] { timer->stop(); });
    });
}

void afterDelay(int msec, QObject* context, std::function<void()> handler) {
    QTimer::singleShot(msec, context, [handler = std::move(handler)] { runGuarded(handler); });
}

#include "moc_screen.cpp"
