#include "messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {
const QString kCaption = QStringLiteral("Ostervale");
}

void QtMessageBoxes::tell(const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), kCaption, text, QMessageBox::Ok);
}

bool QtMessageBoxes::confirm(const QString& text) {
    return QMessageBox::question(QApplication::activeWindow(), kCaption, text,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}
