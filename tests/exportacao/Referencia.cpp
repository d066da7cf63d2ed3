#include "Referencia.h"

#include "Cp1252.h"
#include "UDados.h"

#include <QSqlError>
#include <QVariant>
#include <gtest/gtest.h>

namespace {

QByteArray texto(const QSqlQuery& q, const char* coluna) { return cp1252::codificar(q.value(coluna).toString()); }

// Quantities are DECIMAL: the nearest whole number, half away from zero.
int inteiroArredondado(const QVariant& v) {
    const qint64 e = Money::deVariant(v).escalado();
    return int((e + (e < 0 ? -5000 : 5000)) / 10000);
}

}  // namespace

QByteArray ArquivoPorCupom(QSqlQuery& cupons, bool comReceita, const QByteArray& header) {
    QByteArray arquivo = header + "\r\n";
    int itens = 0;
    int quantosCupons = 0;
    Money total;
    QSqlQuery item = TDadosExportacao::NovaConsulta();
    for (bool ha = cupons.first(); ha; ha = cupons.next()) {
        const int filial = cupons.value("filial_id").toInt();
        const qint64 numlanc = cupons.value("numlanc").toLongLong();
        const QString sql = QStringLiteral("select * from tmp_itens_exportacao where filial_id = %1 and numlanc = %2")
                                .arg(filial)
                                .arg(numlanc);
        if (!item.exec(sql)) {
            ADD_FAILURE() << item.lastError().text().toStdString();
            return {};
        }
        if (!item.first()) continue;
        const Money totalCupom = Money::deVariant(cupons.value("total_cupom"));
        arquivo += TDadosExportacao::RegistroCupom(texto(cupons, "codigo_quelvar"), comReceita,
                                                   texto(cupons, "chapa_cliente"),
                                                   cupons.value("numero_documento_fiscal").toInt(),
                                                   cupons.value("datahora").toDateTime(), totalCupom) +
                   "\r\n";
        ++quantosCupons;
        total += totalCupom;
        do {
            arquivo += TDadosExportacao::RegistroItem(texto(item, "classe_produto"), item.value("produto_id").toInt(),
                                                      texto(item, "barras"), texto(item, "descricao"),
                                                      inteiroArredondado(item.value("quantidade")),
                                                      Money::deVariant(item.value("valor_unit")), texto(item, "crm")) +
                       "\r\n";
            ++itens;
        } while (item.next());
    }
    return arquivo + TDadosExportacao::RegistroTrailer(itens, quantosCupons, total, total) + "\r\n";
}
