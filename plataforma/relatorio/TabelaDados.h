#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

class QSqlQuery;

// The rows a report is prepared from, copied out of the query so that a later refill of the query
// cannot change pages already prepared.
class TabelaDados {
public:
    TabelaDados() = default;
    TabelaDados(QStringList colunas, QList<QVariantList> linhas);

    // Every row of the query, from the first; the query stays open, positioned on its last row.
    // Raises Erro for a forward-only query that has already moved on.
    static TabelaDados deConsulta(QSqlQuery& consulta);

    const QStringList& colunas() const { return m_colunas; }
    int quantidadeLinhas() const { return int(m_linhas.size()); }
    // Column names are matched without regard to case, as the database does; -1 when absent.
    int indiceColuna(const QString& nome) const;
    const QVariant& valor(int linha, int coluna) const { return m_linhas.at(linha).at(coluna); }

private:
    QStringList m_colunas;
    QList<QVariantList> m_linhas;
};
