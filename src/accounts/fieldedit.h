// A one-line edit bound to a field of a table object: it shows the current record's value and
// writes what the user types back into the record while the table is inserting or editing.
// Posting and cancelling stay with the dialog that owns the edit.
#pragma once

#include <QLineEdit>

namespace data {
class Table;
}

namespace accounts {

class FieldEdit : public QLineEdit
{
    Q_OBJECT
public:
    FieldEdit(data::Table *table, const QString &field, QWidget *parent = nullptr);

    // Shows the field of the current record.
    void load();
    // Writes the text into the current record (empty text is null). Does nothing while the
    // table is browsing. Throws app::ConversionError for text the field's type cannot take.
    void store();

private:
    data::Table *m_table;
    QString m_field;
    bool m_storing = false; // the record changes because of this edit: keep the caret
};

} // namespace accounts
