// Compiling the information base: reads the page sources (a header of "Campo: valor" lines —
// Codigo, Tipo, Titulo, Ref, Versiculo, Dica, TopicosRel — a line "---", then the Qt rich-text
// body), checks the whole tree, draws each verse's picture and writes TbInfo.DB. Used by the
// quorvila-infobase build tool and by the tests on small trees; painting needs a QGuiApplication.
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace help {

struct PageSource
{
    QString file; // where the page came from, for the messages
    qint64 codigo = 0;
    qint64 tipo = 0;
    QString titulo, ref, versiculo, dica, topicosRel, texto;
};

// A tree the build refuses: what() is "<file>: <reason>".
class BuildError : public std::runtime_error
{
public:
    BuildError(const QString &file, const QString &reason);
    QString file() const { return m_file; }
    QString reason() const { return m_reason; }

private:
    QString m_file, m_reason;
};

// The verse picture of the main window's verse panel.
inline constexpr int kVerseWidth = 600;
inline constexpr int kVerseHeight = 90;

// Every *.page under `dir`, at any depth, in path order.
QStringList pageFiles(const QString &dir);
// One page source. Throws BuildError for an unreadable file, no "---" line, or a Codigo or Tipo
// that is not a whole number.
PageSource readPage(const QString &path);
// Refuses (BuildError naming the file, or `treeName` for what the tree as a whole lacks): a
// repeated code, an empty body, a Titulo over 80, a Ref over 50 or a Dica over 255 characters, a
// verse (kind 1) without its Versiculo, a reflection (kind 2) without its Dica, a TopicosRel part
// that is not a code of the tree, fewer than two pages of kind 1 or of kind 2, and a missing
// code of `required`.
void checkPages(const QList<PageSource> &pages, const QList<int> &required,
                const QString &treeName);
// The verse word-wrapped and fitted (the font shrinks until it fits) in dark green on the panel's
// #ECF4EC, the reference right-aligned below it in italics.
QImage renderVerse(const QString &verse, const QString &ref);
// Reads, checks and writes `output` (beside its final name first, renamed at the end, so a
// refused tree leaves the previous file in place). Throws BuildError or app::StorageError.
void buildInfoBase(const QString &output, const QStringList &files, const QList<int> &required,
                   const QString &treeName);

} // namespace help
