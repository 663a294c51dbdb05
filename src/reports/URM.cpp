#include "URM.h"

#include "present.h"

#include <data/UDM.h>

namespace reports {

TRM::TRM(data::TDM &dm, QWidget *window) : m_dm(dm), m_window(window) {}

void TRM::setParameter(const QString &name, const QString &text)
{
    m_catalogue.setParameter(name, text);
}

void TRM::setDataView(const QString &name, DataView view)
{
    m_catalogue.setDataView(name, std::move(view));
}

void TRM::run(const QString &name)
{
    m_catalogue.setDataView("DvUser", currentRecordView(*m_dm.TbUser));
    present([this, name](const Progress &progress) { return m_catalogue.build(name, progress); },
            m_window);
}

} // namespace reports
