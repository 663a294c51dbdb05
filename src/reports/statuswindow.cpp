#include "statuswindow.h"

#include "printjob.h"

#include <app/mensagem.h>
#include <app/waitcursor.h>

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace reports {

StatusWindow::StatusWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName("StatusWindow");
    setWindowTitle("Status do Relatório");
    setWindowModality(Qt::ApplicationModal);
    m_label = new QLabel(this);
    m_label->setObjectName("LabelStatus");
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setMinimumWidth(260);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(m_label);
}

void StatusWindow::showProcessing(int page)
{
    showLine("Processando página %p", page);
}

void StatusWindow::showPrinting(int page)
{
    showLine("Imprimindo página %p", page);
}

QString StatusWindow::statusText() const
{
    return m_label->text();
}

void StatusWindow::showLine(const QString &pattern, int page)
{
    m_label->setText(QString(pattern).replace("%p", QString::number(page)));
    if (!isVisible()) {
        app::placeDialog(this, parentWidget());
        show();
    }
    // Between pages the window repaints and the program answers the window manager; input to
    // other windows is held back by the modality.
    QCoreApplication::processEvents();
}

void printWithStatus(const Document &doc, QPrinter &printer, const OutputOptions &options,
                     QWidget *parent)
{
    app::WaitCursor wait;
    StatusWindow status(parent);
    printDocument(doc, printer, options, [&status](int page) { status.showPrinting(page); });
}

} // namespace reports
