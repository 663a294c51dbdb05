#include "fieldedit.h"

#include <app/application.h>

#include <data/table.h>

#include <QScopeGuard>

namespace accounts {

FieldEdit::FieldEdit(data::Table *table, const QString &field, QWidget *parent)
    : QLineEdit(parent), m_table(table), m_field(field)
{
    connect(this, &QLineEdit::textEdited, this, [this] { app::guarded([this] { store(); }); });
    connect(m_table, &data::Table::currentChanged, this, [this] {
        if (!m_storing)
            load();
    });
}

void FieldEdit::load()
{
    const QString v = m_table->isActive() ? m_table->asString(m_field) : QString();
    if (text() != v)
        setText(v);
}

void FieldEdit::store()
{
    using State = data::Table::State;
    if (m_table->state() != State::Insert && m_table->state() != State::Edit)
        return;
    m_storing = true;
    const auto restore = qScopeGuard([this] { m_storing = false; });
    m_table->setValue(m_field, text());
}

} // namespace accounts
