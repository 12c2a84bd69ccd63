#include "stage.h"

#include "twips.h"

#include <QGuiApplication>
#include <QScreen>

Stage::Stage() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), cover_(new QWidget(this)) {
    setWindowTitle(QStringLiteral("Ostervale"));
    setAutoFillBackground(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    cover_->setAutoFillBackground(true);
    cover_->setGeometry(rect());
    cover_->lower();
}

float Stage::desktopWidthTwips() const {
    return twips::fromPixels(width());
}

float Stage::desktopHeightTwips() const {
    return twips::fromPixels(height());
}

void Stage::bringToFront() {
    if (!isVisible())
        show();
    cover_->setGeometry(rect());
    cover_->show();
    cover_->raise();
    raise();
    activateWindow();
}

bool Stage::covers(const QWidget* panel) const {
    const QObjectList& order = children();
    return order.indexOf(cover_) > order.indexOf(const_cast<QWidget*>(panel));
}

void Stage::setBackColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    cover_->setPalette(p);
}

QColor Stage::backColor() const {
    return palette().color(QPalette::Window);
}
