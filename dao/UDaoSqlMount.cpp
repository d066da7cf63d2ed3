#include "UDao.h"

#include "Erro.h"

namespace {
// Every listed item after the first starts with a comma.
QString virgula(qsizetype i) { return i == 0 ? QString() : QStringLiteral(","); }
}  // namespace

TSqlMount::TSqlMount(SQLMountType tipo, QString tabela) : TableName(std::move(tabela)), MountType(tipo) {}

void TSqlMount::AddParam(const QString& nome, const QVariant& valor, QMetaType::Type tipo) {
    m_params.append(Param{nome, tipo, valor});
    Fields.append(nome);
}

void TSqlMount::AddInteger(const QString& nome, qint32 valor) { AddParam(nome, QVariant(valor), QMetaType::Int); }

void TSqlMount::AddString(const QString& nome, const QString& valor) {
    AddParam(nome, QVariant(valor), QMetaType::QString);
}

// Table, kind and condition stay, so one builder serves every row of the same table.
void TSqlMount::Clear() {
    m_params.clear();
    Expressions.clear();
    Fields.clear();
}

QStringList TSqlMount::GetSQL() const {
    if (Fields.isEmpty()) throw Erro(QStringLiteral("Nao ha campos para gerar a instrucao sql."));
    if (MountType == smInsert || MountType == smReplace) return BuildInsert();
    if (MountType == smUpdate) return BuildUpdate();
    throw Erro(QStringLiteral("SQLMountType inválido."));
}

const QList<TSqlMount::Param>& TSqlMount::GetParams() {
    m_commandParams = m_params;
    return m_commandParams;
}

// Expression names match as the names of a name=value list do: without regard to case, first wins.
QString TSqlMount::ValueOf(const QString& nome) const {
    for (const auto& [campo, expressao] : Expressions) {
        if (campo.compare(nome, Qt::CaseInsensitive) == 0) {
            if (!expressao.isEmpty()) return expressao;
            break;
        }
    }
    return u':' + nome;
}

QStringList TSqlMount::BuildUpdate() const {
    QStringList linhas{QStringLiteral(" update ") + TableName + QStringLiteral(" set ")};
    for (qsizetype i = 0; i < Fields.size(); ++i) {
        linhas << virgula(i) + Fields.at(i) + QStringLiteral(" = ") + ValueOf(Fields.at(i));
    }
    linhas << Where;
    return linhas;
}

QStringList TSqlMount::BuildInsert() const {
    const QString verbo = MountType == smInsert ? QStringLiteral("insert into ") : QStringLiteral("replace into ");
    QStringList linhas{verbo + TableName + QStringLiteral(" ( ")};
    for (qsizetype i = 0; i < Fields.size(); ++i) linhas << virgula(i) + Fields.at(i);
    linhas << QStringLiteral(" ) ") << QStringLiteral(" values ( ");
    for (qsizetype i = 0; i < Fields.size(); ++i) {
        linhas << virgula(i) + ValueOf(Fields.at(i));
    }
    linhas << QStringLiteral(" ) ");
    return linhas;
}
