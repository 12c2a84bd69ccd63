#include "messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {
const QString kCaption = QStringLiteral("Ostervale");
}

void QtMessageBoxes::tell(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), kCaption, text, QMessageBox::Ok);
}

bool QtMessageBoxes::confirm(const QString& text, const QString& caption) {
    // Every question asks before something is thrown away, so Enter, or
    // Enter pressed once too often, keeps it.
    return QMessageBox::question(QApplication::activeWindow(), caption, text,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}
