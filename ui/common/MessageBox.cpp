#include "MessageBox.h"

#include <QMessageBox>

namespace pexaro::ui {

void showMessage(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace pexaro::ui
