#include "TabelaDados.h"

#include "Erro.h"

#include <QSqlQuery>
#include <QSqlRecord>

TabelaDados::TabelaDados(QStringList colunas, QList<QVariantList> linhas)
    : m_colunas(std::move(colunas)), m_linhas(std::move(linhas)) {}

TabelaDados TabelaDados::deConsulta(QSqlQuery& consulta) {
    // Read past its start, a forward-only query would silently give an empty report.
    if (consulta.isForwardOnly() && consulta.at() != QSql::BeforeFirstRow)
        throw Erro(QStringLiteral("As linhas do relatório não podem ser relidas desde a primeira."));
    const QSqlRecord registro = consulta.record();
    QStringList colunas;
    for (int i = 0; i < registro.count(); ++i)
        colunas << registro.fieldName(i);

    QList<QVariantList> linhas;
    for (bool ha = consulta.first(); ha; ha = consulta.next()) {
        QVariantList linha;
        linha.reserve(colunas.size());
        for (int i = 0; i < colunas.size(); ++i)
            linha << consulta.value(i);
        linhas << linha;
    }
    return TabelaDados(colunas, linhas);
}

int TabelaDados::indiceColuna(const QString& nome) const {
    for (int i = 0; i < m_colunas.size(); ++i) {
        if (m_colunas[i].compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
