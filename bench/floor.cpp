// The floor: the least a Qt Widgets program on this machine can do for each
// thing `make bench` times in the program. It links only Qt, and builds the
// same shapes the program shows, with none of the program's machinery.
//
//   bench_floor start <home>     the title screen alone (BENCH_FIRST_FRAME ends it)
//   bench_floor inproc <home>    switching, dragging and memory figures
//   bench_floor catalogue        a 1000-line file read, and replaced safely
#include "bench_common.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace {

const QColor kBackdrop(48, 133, 214);
const QColor kGrey(192, 192, 192);
const QColor kScreen(39, 63, 137);

QWidget* backdrop() {
    auto* w = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, kBackdrop);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        w->setGeometry(screen->geometry());
    return w;
}

QWidget* panel(QWidget* parent, QSize size, QColor colour) {
    auto* w = new QFrame(parent);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->setGeometry(
        QRect(QPoint((parent->width() - size.width()) / 2, (parent->height() - size.height()) / 2),
              size));
    return w;
}

QLabel* label(QWidget* parent, const QString& text, QColor colour, const QFont& font, QRect at) {
    auto* l = new QLabel(text, parent);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    l->setFont(font);
    l->setGeometry(at);
    return l;
}

QFont font(const char* family, qreal points, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The title screen's panel: five labels, the picture and three buttons, at
// the title screen's places (in pixels).
QWidget* titlePanel(QWidget* desk, const QString& home) {
    QWidget* p = panel(desk, QSize(364, 438), kGrey);
    label(p, QStringLiteral("Ostervale"), Qt::red, font("Times New Roman", 27.75, true),
          QRect(4, 24, 357, 47));
    label(p, QStringLiteral("The war at home and abroad"), Qt::blue, font("Times New Roman", 14.25),
          QRect(24, 332, 313, 25));
    label(p, QStringLiteral("Key facts, quizzes and activities"), Qt::blue,
          font("Times New Roman", 12), QRect(32, 354, 297, 25));
    label(p, QStringLiteral("Quorvane Publishing Ltd"), Qt::blue, font("Times New Roman", 12),
          QRect(32, 376, 297, 25));
    label(p, QStringLiteral("For use in schools. Sounds can be switched off on the menu."),
          QColor(0, 128, 0), font("Arial", 8.25), QRect(0, 428, 361, 17));
    auto* picture = new QLabel(p);
    picture->setGeometry(20, 80, 320, 240);
    picture->setPixmap(QPixmap(home + QStringLiteral("/Images/spitfism.jpg"), "JPG"));
    (new QPushButton(QStringLiteral("OK"), p))->setGeometry(88, 400, 89, 25);
    (new QPushButton(QStringLiteral("Exit"), p))->setGeometry(184, 400, 89, 25);
    (new QPushButton(QStringLiteral("Help"), p))->setGeometry(280, 400, 60, 25);
    return p;
}

// A label that follows the pointer while a button is down.
class MovingLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent* e) override { grip_ = e->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (e->buttons() & Qt::LeftButton)
            move(mapToParent(e->position().toPoint() - grip_));
    }

private:
    QPoint grip_;
};

void click(QWidget* w) {
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, {});
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

int inproc(const QString& home, int repeats) {
    bench::PaintWatch watch;
    QWidget* desk = backdrop();
    QWidget* title = titlePanel(desk, home);
    desk->show();
    watch.arm(title);
    if (!watch.waitForFrame())
        return 1;

    // Switching: two prebuilt panels, each with a button that shows the other.
    QWidget* a = panel(desk, QSize(800, 600), kScreen);
    QWidget* b = panel(desk, QSize(800, 600), kScreen);
    auto* toB = new QPushButton(QStringLiteral("Next"), a);
    auto* toA = new QPushButton(QStringLiteral("Back"), b);
    QObject::connect(toB, &QPushButton::clicked, [a, b] {
        b->show();
        b->raise();
        a->hide();
    });
    QObject::connect(toA, &QPushButton::clicked, [a, b] {
        a->show();
        a->raise();
        b->hide();
    });
    b->hide();
    a->show();
    a->raise();
    watch.arm(a);
    if (!watch.waitForFrame())
        return 1;
    for (int i = 0; i < repeats; ++i) {
        const bool forth = a->isVisible();
        watch.arm(forth ? b : a);
        QElapsedTimer clock;
        clock.start();
        click(forth ? toB : toA);
        if (!watch.waitForFrame())
            return 1;
        bench::report("switch_ms", double(clock.nsecsElapsed()) / 1e6);
        bench::report("switch_paints", watch.paints);
    }
    a->hide();
    b->hide();

    // Dragging: the rationing labelling screen's pictures and labels.
    QWidget* lab = panel(desk, QSize(800, 600), kScreen);
    const struct {
        const char* file;
        QRect at;
    } pictures[] = {{"sugar.jpg", {20, 88, 240, 166}},
                    {"milk.jpg", {312, 32, 171, 240}},
                    {"meat.jpg", {528, 264, 240, 185}},
                    {"cheese.jpg", {528, 48, 240, 163}}};
    for (const auto& p : pictures) {
        auto* image = new QLabel(lab);
        image->setScaledContents(true);
        image->setGeometry(p.at);
        image->setPixmap(QPixmap(home + QStringLiteral("/Images/") + QLatin1String(p.file), "JPG"));
    }
    label(lab,
          QStringLiteral("Drag the labels to the correct illustrations of some of the "
                         "food that was rationed in Britain during the war."),
          Qt::yellow, font("Times New Roman", 15.75), QRect(72, 352, 345, 71))
        ->setWordWrap(true);
    std::vector<MovingLabel*> labels;
    const char* names[] = {"Cheese", "Milk", "Sugar", "Meat"};
    const int lefts[] = {144, 248, 40, 352};
    for (int i = 0; i < 4; ++i) {
        auto* l = new MovingLabel(QString::fromLatin1(names[i]), lab);
        QPalette pal = l->palette();
        pal.setColor(QPalette::Window, Qt::black);
        pal.setColor(QPalette::WindowText, Qt::yellow);
        l->setPalette(pal);
        l->setAutoFillBackground(true);
        l->setFont(font("Tahoma", 11.25, true));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setGeometry(lefts[i], 432, 97, 28);
        labels.push_back(l);
    }
    lab->show();
    lab->raise();
    watch.arm(lab);
    if (!watch.waitForFrame())
        return 1;
    MovingLabel* dragged = labels[0];
    // Held by its middle, as the program's labels are.
    const QPointF grip = QRectF(dragged->rect()).center();
    {
        QMouseEvent press(QEvent::MouseButtonPress, grip, dragged->mapToGlobal(grip),
                          Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(dragged, &press);
    }
    for (int i = 0; i < repeats * 4; ++i) {
        // Back and forth, a few pixels a move, so that every move moves it.
        const QPointF at = grip + (i % 2 ? QPointF(-3, -2) : QPointF(3, 2));
        QMouseEvent move(QEvent::MouseMove, at, dragged->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        watch.arm(nullptr);
        QElapsedTimer clock;
        clock.start();
        QApplication::sendEvent(dragged, &move);
        if (!watch.waitForFrame())
            return 1;
        bench::report("drag_move_ms", double(clock.nsecsElapsed()) / 1e6);
    }
    bench::report("tour_peak_kib", double(bench::peakKib()));
    delete desk;
    return 0;
}

// The least a safe change to a catalogue of 1000 titles can cost: the same
// lines read whole, and written whole to a new file that is flushed to the
// disk and put in the old one's place. The disk's flush is most of it.
int catalogue(int repeats) {
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString path = dir.filePath(QStringLiteral("track.txt"));
    auto linesOf = [](int count) {
        QByteArray bytes = " " + QByteArray::number(count) + "\r\n";
        for (int i = 0; i < count; ++i)
            bytes += "Worksheet number " + QByteArray::number(i) + " on the home front\r\n";
        return bytes;
    };
    auto replace = [&path](const QByteArray& bytes) {
        QSaveFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
               file.commit();
    };
    const QByteArray thousand = linesOf(1000), lessOne = linesOf(999);
    if (!replace(lessOne))
        return 1;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!replace(thousand))
            return 1;
        bench::report("catalogue_add_ms", double(clock.nsecsElapsed()) / 1e6);
        clock.restart();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.readAll().split('\n').size() != 1002)
            return 1;
        file.close();
        bench::report("catalogue_load_ms", double(clock.nsecsElapsed()) / 1e6);
        clock.restart();
        if (!replace(lessOne))
            return 1;
        bench::report("catalogue_remove_ms", double(clock.nsecsElapsed()) / 1e6);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return 2;
    const QString home = args[2];
    if (args[1] == QLatin1String("start")) {
        QWidget* desk = backdrop();
        QWidget* title = titlePanel(desk, home);
        first_frame::FirstFrameExit::installIfAsked(title);
        desk->show();
        return QApplication::exec();
    }
    if (args[1] == QLatin1String("inproc")) {
        const int repeats = args.value(3, QStringLiteral("30")).toInt();
        const int result = inproc(home, repeats);
        return result != 0 ? result : catalogue(repeats);
    }
    return 2;
}
