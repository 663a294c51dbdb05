// The data module TDM: owns the connection and every table and query object of the program,
// points the per-user objects at the signed-in user's files, computes the look-up and
// calculated fields, and is the application-wide error handler's home. Holds no screen: the
// message box and the cursor are reached through hooks that the shell installs.
#pragma once

#include "catalogue.h"
#include "database.h"
#include "query.h"
#include "table.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace data {

class TDM : public QObject
{
    Q_OBJECT
public:
    explicit TDM(QObject *parent = nullptr);
    ~TDM() override;

    // Forms DirDados (the program's directory + "/Dados" unless given) and DirTemp. Opens nothing.
    void DataModuleCreate(const QString &dirDados, const QString &dirTemp = {});
    QString DirDados() const { return m_db.dirDados(); }
    QString DirTemp() const { return m_dirTemp; }
    Database &db() { return m_db; }
    // The information base's own read-only connection (TbInfo's).
    Database &infoDb() { return m_infoDb; }

    // Shared tables; each throws StorageError when its file cannot be opened.
    void openSharedTables(); // TbCfg, then TbUser
    void openInfo();         // TbInfo, on its own read-only connection

    // Points the eight per-user tables and the chart queries at user `cod` ("0001").
    void pointUserTables(const QString &codUsuario);
    QString CodUsuario() const { return m_codUsuario; }
    // Opens TbCta, TbHsto, TbFin, TbBens, TbBensCat, TbBensVlr in this order; closes the same.
    void OpenUserFiles();
    void CloseUserFiles();
    // The eight per-user table objects, the set file maintenance walks.
    std::vector<Table *> userTableSet() const;

    // The account with a reduced code, from the chart of the signed-in user (cached).
    struct CtaInfo
    {
        QString codCta;
        QString descricao;
    };
    std::optional<CtaInfo> lookupCta(qint64 codRed) const;

    // The application-wide handler: resets the cursor and shows the text in a kind-0 message,
    // with the technical detail (when there is one) under the box's details button.
    void AppException(const QString &text, const QString &detail = {});
    std::function<void(const QString &)> showMessage; // set by the shell (Mensagem kind 0)
    // Used instead of showMessage for an error with a detail, when set.
    std::function<void(const QString &text, const QString &detail)> showDetailedMessage;
    std::function<void()> restoreCursor;

    // Tables
    Table *TbCfg, *TbUser, *TbInfo;
    Table *TbFin, *TbCta, *TbHsto, *TbOrc, *TbMatFinPrm, *TbBens, *TbBensVlr, *TbBensCat;
    Table *TbOFX, *TbMatFinGrid, *TbOrc1, *TbRel1, *TbRz; // work tables, fields set by owners
    // Queries
    Query *QrAux, *QrFinPesq, *QrFinProx, *QrCirc, *QrEntra, *QrSai, *QrInfo;
    Query *QrRel1, *QrRel2, *QrBcte, *QrLctos, *QrLcPrn, *QrBalMapa;
    Query *QrOrc1, *QrOrc2, *QrOrcView, *QrBensPesq;

private:
    Table *table(const QString &name, TableDef def, Database &db);
    Query *query(const QString &name);
    void TbFinCalcFields(const Table &t, Record &r) const;
    static void TbUserCalcFields(const Table &t, Record &r);

    Database m_db;
    Database m_infoDb{true};
    QString m_dirTemp;
    QString m_codUsuario;
    mutable std::optional<QHash<qint64, CtaInfo>> m_ctaCache;
};

} // namespace data
