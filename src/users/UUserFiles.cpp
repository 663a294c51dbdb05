#include "UUserFiles.h"

#include <app/mensagem.h>
#include <app/windowhints.h>

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace users {

TFormUserFiles::TFormUserFiles(QWidget *parent) : QDialog(parent)
{
    setObjectName("TFormUserFiles");
    setStyleSheet("QDialog#TFormUserFiles { background: #D9EAD9; }");
    setWindowModality(Qt::ApplicationModal);
    app::withoutCloseBox(this);
    m_label1 = new QLabel;
    m_label1->setObjectName("Label1");
    m_label2 = new QLabel;
    m_label2->setObjectName("Label2");
    for (QLabel *l : {m_label1, m_label2}) {
        l->setAlignment(Qt::AlignCenter);
        l->setTextFormat(Qt::PlainText);
    }
    m_bar = new QProgressBar;
    m_bar->setObjectName("ProgressBar1");
    m_bar->setRange(0, 1000);
    m_bar->setTextVisible(false);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(16, 14, 16, 14);
    l->addWidget(m_label1);
    l->addWidget(m_label2);
    l->addWidget(m_bar);
    setFixedWidth(360);
}

void TFormUserFiles::start(const QString &caption, const QString &line1, const QString &line2)
{
    setWindowTitle(caption);
    m_label1->setText(line1);
    m_label2->setText(line2);
    m_bar->setValue(0);
    show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

Progress TFormUserFiles::progress()
{
    return [this](qint64 done, qint64 total) {
        // The bar counts in thousandths: file sizes do not fit an int.
        m_bar->setValue(total > 0 ? int(std::min<qint64>(done, total) * 1000 / total) : 0);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

void TFormUserFiles::finish()
{
    m_bar->setValue(m_bar->maximum());
    hide();
}

void TFormUserFiles::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    Tag = 0;
    app::placeDialog(this, app::mainWindow());
}

} // namespace users
