// The export run: collects the qualifying sale lines into a temporary table, loads one row per
// coupon into the caller's query and writes the H, C, I and T records to the export file.

#include "UDados.h"

#include "ConfiguracaoExportacao.h"
#include "Cp1252.h"
#include "Erro.h"
#include "Pastas.h"
#include "UDao.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

const QByteArray kFimDeLinha = "\r\n";

const QStringList kCriarTabela = {
    QStringLiteral(" create temporary table tmp_itens_exportacao (index numlanc(filial_id,numlanc))"),
    QStringLiteral(" select "),
    QStringLiteral("    COALESCE(NULLIF(receber.num_ecf, 0), NULLIF(sat_cfe.num_cfe, 0), nota_fiscal.num_nota) as numero_documento_fiscal "),
    QStringLiteral("   , movment.filial_id "),
    QStringLiteral("   , movment.numlanc "),
    QStringLiteral("   , receber.clientes_id "),
    QStringLiteral("   , receber.datahora "),
    QStringLiteral("   , produto.classe_produto "),
    QStringLiteral("   , receber.produto_id "),
    QStringLiteral("   , produto.barras "),
    QStringLiteral("   , produto.descricao "),
    QStringLiteral("   , receber.quantidade "),
    QStringLiteral("   , receber.valortotal "),
    QStringLiteral("   , receber.crm "),
    QStringLiteral("   , receber.valor as valor_unit "),
    QStringLiteral("   ,clientes.nome as nome_beneficiario "),
    QStringLiteral("   ,filial.nome as nome_filial "),
    QStringLiteral("   ,clientes.chapa as chapa_cliente "),
    QStringLiteral(" from "),
    QStringLiteral("   receber "),
    QStringLiteral(" join clientes on "),
    QStringLiteral("   (clientes.clientes_id = receber.clientes_id) "),
    QStringLiteral(" join filial on "),
    QStringLiteral("   (receber.filial_id = filial.filial_id) "),
    QStringLiteral(" join produto "),
    QStringLiteral("   on (receber.produto_id = produto.produto_id) "),
    QStringLiteral(" left join movment on "),
    QStringLiteral("   (movment.filial_id = receber.filial_id and "),
    QStringLiteral("   movment.numlanc = receber.numlanc and "),
    QStringLiteral("   movment.clientes_id = receber.clientes_id and "),
    QStringLiteral("  movment.produto_id = receber.produto_id and "),
    QStringLiteral("   movment.movment_id = receber.movment_id) "),
    QStringLiteral(" left join movment_nota_fiscal_ref on "),
    QStringLiteral("   (movment_nota_fiscal_ref.filial_id = movment.filial_id "),
    QStringLiteral("   and movment_nota_fiscal_ref.numlanc = movment.numlanc) "),
    QStringLiteral(" left join nota_fiscal on "),
    QStringLiteral("   (nota_fiscal.nota_fiscal_id = movment_nota_fiscal_ref.nota_fiscal_id "),
    QStringLiteral("   and nota_fiscal.filial_id = movment_nota_fiscal_ref.filial_id) "),
    QStringLiteral(" left join sat_cfe on "),
    QStringLiteral("   (sat_cfe.filial_id = movment.filial_id "),
    QStringLiteral("    and sat_cfe.numlanc = movment.numlanc) "),
};

const QStringList kCupons = {
    QStringLiteral(" select "),
    QStringLiteral("   tmp.filial_id "),
    QStringLiteral("   ,tmp.numlanc "),
    QStringLiteral("   ,sum(tmp.valortotal) as total_cupom "),
    QStringLiteral("   ,tmp.datahora "),
    QStringLiteral("   ,tmp.chapa_cliente "),
    QStringLiteral("   ,tmp.numero_documento_fiscal"),
    QStringLiteral("   ,tmp.nome_beneficiario "),
    QStringLiteral("   ,tmp.nome_filial "),
    QStringLiteral("   ,lpad(cab.codigo_quelvar, 4 , \"0\") as codigo_quelvar "),
    QStringLiteral(" from "),
    QStringLiteral("   tmp_itens_exportacao tmp"),
    QStringLiteral(" left join quelvar_config_filial cab on "),
    QStringLiteral("     cab.filial_id = tmp.filial_id "),
    QStringLiteral(" group by "),
    QStringLiteral("    filial_id "),
    QStringLiteral("   ,numlanc "),
    QStringLiteral(" order by datahora "),
};

QString nomeDoTipo(bool comReceita) { return comReceita ? QStringLiteral("COM RECEITA") : QStringLiteral("SEM RECEITA"); }

QString mensagemSemDados(bool comReceita) {
    return QStringLiteral("Arquivo \"%1\" não gerado. Dados não encontrados para a seleção.\r\n").arg(nomeDoTipo(comReceita));
}

QString mensagemGerado(bool comReceita) {
    return QStringLiteral("Arquivo \"%1\" gerado com sucesso.").arg(nomeDoTipo(comReceita));
}

QString nomeArquivo(bool comReceita, QDate inicio) {
    const QString formato = comReceita ? QStringLiteral("PROMED - %1.TXT") : QStringLiteral("PROFARM - %1.TXT");
    return formato.arg(TDadosExportacao::PeriodoDoArquivo(comReceita, inicio));
}

// --- reading columns: a NULL reads as 0, empty text or zero money ---

qint64 inteiro64(const QVariant& valor) {
    if (valor.isNull()) return 0;
    switch (valor.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return valor.toLongLong();
    default: {
        // A fractional value (a DECIMAL quantity) goes to the nearest whole number.
        const qint64 escalado = Money::deVariant(valor).escalado();
        const qint64 meio = escalado < 0 ? -5000 : 5000;
        return (escalado + meio) / 10000;
    }
    }
}

int inteiro(const QVariant& valor) {
    const qint64 v = inteiro64(valor);
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QByteArray texto(const QVariant& valor) { return cp1252::codificar(valor.toString()); }

// Column positions are looked up once per query, not once per row.
struct ColunasItem {
    explicit ColunasItem(const QSqlRecord& r)
        : filial(r.indexOf(QStringLiteral("filial_id"))), numlanc(r.indexOf(QStringLiteral("numlanc"))),
          classe(r.indexOf(QStringLiteral("classe_produto"))), produto(r.indexOf(QStringLiteral("produto_id"))),
          barras(r.indexOf(QStringLiteral("barras"))), descricao(r.indexOf(QStringLiteral("descricao"))),
          quantidade(r.indexOf(QStringLiteral("quantidade"))), valor(r.indexOf(QStringLiteral("valor_unit"))),
          crm(r.indexOf(QStringLiteral("crm"))) {}
    int filial, numlanc, classe, produto, barras, descricao, quantidade, valor, crm;
};

struct ColunasCupom {
    explicit ColunasCupom(const QSqlRecord& r)
        : filial(r.indexOf(QStringLiteral("filial_id"))), numlanc(r.indexOf(QStringLiteral("numlanc"))),
          total(r.indexOf(QStringLiteral("total_cupom"))), datahora(r.indexOf(QStringLiteral("datahora"))),
          chapa(r.indexOf(QStringLiteral("chapa_cliente"))),
          documento(r.indexOf(QStringLiteral("numero_documento_fiscal"))),
          codigo(r.indexOf(QStringLiteral("codigo_quelvar"))) {}
    int filial, numlanc, total, datahora, chapa, documento, codigo;
};

void abrir(QSqlQuery& consulta, const QString& sql) {
    consulta.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!consulta.exec(sql)) throw ErroBanco(consulta.lastError().text());
}

// A coupon is one sale: branch and entry number.
using Chave = std::pair<int, qint64>;

struct ItensDoCupom {
    QByteArray registros;  // I records, each followed by CR LF, in the order the table gave them
    int quantidade = 0;
};

// The I records of the run, grouped by coupon. The whole temporary table is read once: a keyed
// query per coupon costs a round trip each, ten times the server's own work on a month of a
// large company. The table's natural order is its insertion order, which is also the order a
// keyed query returns the rows of one coupon in, so each coupon keeps its items' order.
// Only the columns of the I record are fetched: the driver holds the whole result in memory.
// Lines without a sale of their own (NULL branch or entry) belong to no coupon.
QHash<Chave, ItensDoCupom> lerItens() {
    QSqlQuery consulta = TDadosExportacao::NovaConsulta();
    consulta.setForwardOnly(true);
    abrir(consulta, QStringLiteral("select filial_id, numlanc, classe_produto, produto_id, barras, descricao, "
                                   "quantidade, valor_unit, crm from tmp_itens_exportacao"));
    const ColunasItem c(consulta.record());
    QHash<Chave, ItensDoCupom> itens;
    while (consulta.next()) {
        const QVariant filial = consulta.value(c.filial);
        const QVariant numlanc = consulta.value(c.numlanc);
        if (filial.isNull() || numlanc.isNull()) continue;
        ItensDoCupom& cupom = itens[{inteiro(filial), inteiro64(numlanc)}];
        cupom.registros += TDadosExportacao::RegistroItem(
            texto(consulta.value(c.classe)), inteiro(consulta.value(c.produto)), texto(consulta.value(c.barras)),
            texto(consulta.value(c.descricao)), inteiro(consulta.value(c.quantidade)),
            Money::deVariant(consulta.value(c.valor)), texto(consulta.value(c.crm)));
        cupom.registros += kFimDeLinha;
        ++cupom.quantidade;
    }
    return itens;
}

// The export file, written beside the old one and renamed over it when complete: a run that
// fails leaves the old file as it was and no partial file behind.
class ArquivoExportacao {
public:
    explicit ArquivoExportacao(const QString& caminho) : m_arquivo(caminho) {
        if (!m_arquivo.open(QIODevice::WriteOnly)) falhar();
    }
    // One record and its CR LF, or several records that already carry theirs.
    void escrever(const QByteArray& registro) { escreverBytes(registro + kFimDeLinha); }
    void escreverBytes(const QByteArray& bytes) {
        if (m_arquivo.write(bytes) != bytes.size()) falhar();
    }
    void concluir() {
        if (!m_arquivo.commit()) falhar();
    }

private:
    [[noreturn]] void falhar() const {
        throw Erro(QStringLiteral("Não foi possível gravar o arquivo \"%1\". %2")
                       .arg(QDir::toNativeSeparators(m_arquivo.fileName()), m_arquivo.errorString()));
    }

    QSaveFile m_arquivo;
};

}  // namespace

QString TDadosExportacao::PeriodoDoArquivo(bool comReceita, QDate inicio) {
    return nomeDoTipo(comReceita) + u'_' + inicio.toString(QStringLiteral("MMyyyy"));
}

QSqlQuery TDadosExportacao::NovaConsulta() {
    QSqlQuery consulta(GetConexao());
    consulta.setNumericalPrecisionPolicy(QSql::HighPrecision);
    return consulta;
}

QString TDadosExportacao::SqlCupons() { return TextoDasLinhas(kCupons); }

void TDadosExportacao::PrepararItens(bool porLancamento, bool comReceita, QDate inicio, QDate fim, int empresa) {
    const QString receita = comReceita ? QStringLiteral("  JOIN") : QStringLiteral("  LEFT JOIN");
    QString sql = TextoDasLinhas(kCriarTabela);
    sql += receita + QStringLiteral(" venda_receita ON ((venda_receita.movment_id = movment.movment_id AND "
                                    "venda_receita.filial_id = movment.filial_id) AND venda_receita.apagado = \"N\") ");
    sql += QStringLiteral("\r\n");
    sql += QStringLiteral(" where  \r\n   receber.amort < 100   and receber.valortotal > 0.00   and receber.apagado = \"N\" \r\n");
    if (!comReceita) sql += QStringLiteral(" and venda_receita.movment_id is null ");
    sql += porLancamento ? QStringLiteral("   and receber.datahora between \"") : QStringLiteral("   and receber.vencimento between \"");
    sql += inicio.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00\" and \"");
    sql += fim.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 23:59:59\"");
    sql += QStringLiteral(" and receber.empresa_id = ") + QString::number(empresa);

    const QSqlDatabase conexao = GetConexao();
    TDao::ExecutarSql(conexao, QStringLiteral("drop temporary table if exists tmp_itens_exportacao"), true);
    TDao::ExecutarSql(conexao, sql, true);
}

QString TDadosExportacao::GerarArquivo(QSqlQuery& consulta, const QString& diretorio, bool porLancamento, QDate inicio,
                                       QDate fim, bool comReceita, int empresa) {
    PrepararItens(porLancamento, comReceita, inicio, fim, empresa);

    consulta.finish();
    abrir(consulta, SqlCupons());
    if (!consulta.first()) return mensagemSemDados(comReceita);

    ArquivoExportacao arquivo(ComSeparadorFinal(diretorio) + nomeArquivo(comReceita, inicio));
    arquivo.escrever(RegistroHeader(cp1252::codificar(ConfiguracaoExportacao::LerCNPJMatriz()),
                                    cp1252::codificar(ConfiguracaoExportacao::LerNomeMatriz()),
                                    QDateTime::currentDateTime()));

    const QHash<Chave, ItensDoCupom> itens = lerItens();
    IProgresso* progresso = Progresso();
    if (progresso) {
        progresso->DefinirMaximo(consulta.size());
        progresso->DefinirPosicao(0);
    }

    int contadorItens = 0;
    int contadorCupons = 0;
    Money total;
    const ColunasCupom c(consulta.record());
    do {
        // A coupon without a sale of its own (NULL branch and entry) reads as branch 0, entry 0.
        const auto achado = itens.constFind({inteiro(consulta.value(c.filial)), inteiro64(consulta.value(c.numlanc))});
        if (achado != itens.constEnd()) {
            const Money totalCupom = Money::deVariant(consulta.value(c.total));
            arquivo.escrever(RegistroCupom(texto(consulta.value(c.codigo)), comReceita, texto(consulta.value(c.chapa)),
                                           inteiro(consulta.value(c.documento)),
                                           consulta.value(c.datahora).toDateTime(), totalCupom));
            ++contadorCupons;
            total += totalCupom;
            arquivo.escreverBytes(achado->registros);
            contadorItens += achado->quantidade;
        }
        if (progresso) progresso->Avancar();
        QCoreApplication::processEvents();
    } while (consulta.next());

    arquivo.escrever(RegistroTrailer(contadorItens, contadorCupons, total, total));
    arquivo.concluir();
    return mensagemGerado(comReceita);
}
