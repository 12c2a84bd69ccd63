#include "screen.h"

#include "menu_entry.h"
#include "program.h"
#include "twips.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
const QColor kStandardBack(39, 63, 137);
const QColor kPictureBack(49, 135, 214);
const QColor kFrameFace(212, 208, 200);
const QColor kCaptionLeft(10, 36, 106);
const QColor kCaptionRight(166, 202, 240);
constexpr float kStandardWidth = 12000;
constexpr float kStandardHeight = 9000;
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
    connect(client_, &FormSurface::mouseMoved, this, [this] { Form_MouseMove(); });
}

void Screen::Form_MouseMove() {
    for (MenuEntry* entry : menuList_)
        entry->setOpaque(false);
}

void Screen::SetUpForm() {
    setBackColor(kStandardBack);
    setCaption(QStringLiteral("Ostervale"));
    if (auto* picture = Picture1()) {
        QPalette p = picture->palette();
        p.setColor(QPalette::Window, kPictureBack);
        picture->setPalette(p);
    }
    setSize(kStandardWidth, kStandardHeight);
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
    show();
    raise();
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

void Screen::setClientSize(float width, float height) {
    setSize(width + twips::fromPixels(2 * FramePixels),
            height + twips::fromPixels(2 * FramePixels + CaptionPixels));
}

void Screen::applyGeometry() {
    setGeometry(twips::rect(left_, top_, width_, height_));
    client_->setGeometry(FramePixels, FramePixels + CaptionPixels, width() - 2 * FramePixels,
                         height() - 2 * FramePixels - CaptionPixels);
}

void Screen::addToMenuList(MenuEntry* entry) {
    menuList_.push_back(entry);
    connect(entry, &MenuEntry::mouseMoved, entry, [entry] { entry->setOpaque(true); });
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
    const QRect bar(FramePixels, FramePixels, width() - 2 * FramePixels, CaptionPixels - 1);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, kCaptionLeft);
    gradient.setColorAt(1, kCaptionRight);
    painter.fillRect(bar, gradient);
    painter.setPen(Qt::white);
    painter.setFont(twips::font(QStringLiteral("Tahoma"), 8.25, true));
    painter.drawText(bar.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

void place(QWidget* control, float left, float top, float width, float height) {
    control->setGeometry(twips::rect(left, top, width, height));
}
