// The rules of one asset and its value changes, on plain values: the kinds of change and their
// texts, the asset's value at a date, the editor's total, and the checks an asset and its changes
// must pass before they are saved. Nothing here reads a table; the store (assetstore.h) does.
#pragma once

#include <app/money.h>

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace assets {

// TipoVlr. A kind outside these three (a file written by other means) has no text and no
// effect on the value, in the valuation and the editor alike.
enum class Kind { Valorizacao = 0, Desvalorizacao = 1, Venda = 2 };

// "Valorização", "Desvalorização", "Venda do Bem"; empty for any other number.
QString kindText(qint64 tipoVlr);
// +1 for a valorization, -1 for a devaluation or a sale, 0 for an unknown kind.
int kindSign(qint64 tipoVlr);

struct ValueChange
{
    qint64 codigo = 0; // the stored change's number; 0 while it exists only in the editor
    QDate data;
    qint64 tipoVlr = 0;
    app::Money valor;
    QString obs;
};

// VlrAquisicao plus every change by its kind's sign (VlrTotalBem of the editor).
app::Money totalValue(app::Money vlrAquisicao, const std::vector<ValueChange> &changes);
// The value on day `d`: the acquisition when made on or before `d`, plus the changes dated on or
// before `d` by their kind's sign. A sold asset is worth 0 from its sale on.
app::Money valueAt(QDate dtAquisicao, app::Money vlrAquisicao,
                   const std::vector<ValueChange> &changes, QDate d);

// The field a refusal sends the user back to.
enum class Field { None, Descricao, CodCat, DtAquisicao, VlrAquisicao, Changes };

struct Refusal
{
    QString message;
    Field field = Field::None;
    int changeRow = -1; // the change to position the list on, for Field::Changes
};

// The asset's fields as the editor holds them; an empty optional is an empty field.
struct AssetFields
{
    QString descricao;
    std::optional<qint64> codCat;
    QDate dtAquisicao;
    app::Money vlrAquisicao;
};

// The save checks of the asset editor in their order: description, category (above 0 and, with
// `categoryExists`, present), acquisition date, acquisition value; then ValidarAtualizacoes.
// `changes` in date order. Empty when the asset may be saved.
std::optional<Refusal> checkAsset(const AssetFields &a, bool categoryExists,
                                  const std::vector<ValueChange> &changes);
// ValidarAtualizacoes: no change before the acquisition, at most one sale, nothing after the
// sale, a sold asset totalling zero, and no negative total. `changes` in date order.
std::optional<Refusal> ValidarAtualizacoes(QDate dtAquisicao, app::Money vlrAquisicao,
                                           const std::vector<ValueChange> &changes);
// The value-change editor's checks: a date, a value above zero.
std::optional<Refusal> checkChange(const ValueChange &c);

// Orders changes as the list shows them: by date, then kind (the table's IdxCodBemData).
void sortChanges(std::vector<ValueChange> &changes);

// "Este código de \"Categoria\"\r\né inexistente. Redigite!"
QString unknownCategoryText();

} // namespace assets
