#include "RelatoriosCupons.h"

#include "Expressao.h"
#include "Relatorio.h"
#include "TabelaDados.h"

namespace {

constexpr double kLarguraRegra = 721.89;

struct Coluna {
    double esquerda;
    double largura;
    double topoTitulo;
    const char16_t* titulo;
    Qt::Alignment alinhamentoTitulo;
    const char16_t* campo;
    Qt::Alignment alinhamentoValor;
    const char16_t* formato;
};

const Coluna kColunas[] = {
    {0, 117.17, 2.34, u"Matrícula beneficiário", Qt::AlignLeft, u"chapa_cliente", Qt::AlignLeft, u""},
    {120.17, 238.11, 2.34, u"Nome beneficiário", Qt::AlignLeft, u"nome_beneficiario", Qt::AlignLeft, u""},
    {360.82, 75.59, 2.34, u"Filial farmácia", Qt::AlignLeft, u"codigo_quelvar", Qt::AlignHCenter, u""},
    {443.97, 94.49, 0, u"Número documento fiscal", Qt::AlignHCenter, u"numero_documento_fiscal", Qt::AlignLeft, u""},
    {541.13, 86.93, 2.34, u"Data compra", Qt::AlignHCenter, u"datahora", Qt::AlignHCenter, u""},
    {634.96, 79.37, 2.34, u"Valor compra", Qt::AlignRight, u"total_cupom", Qt::AlignRight, u"%2.2f"},
};

QString campo(const QString& coluna) { return QStringLiteral("[dataSetRel.\"%1\"]").arg(coluna); }

ModeloRelatorio modeloCupons(const QString& titulo, double esquerdaContador) {
    ModeloRelatorio m;
    m.titulo = titulo;
    m.nomeDados = QStringLiteral("dataSetRel");
    m.variaveis.insert(QStringLiteral("periodo"), QString());

    m.cabecalhoPagina.altura = 60.47;
    m.cabecalhoPagina.objetos = {
        ObjetoRelatorio::texto({236.22, 7.56, 245.67, 18.90}, titulo, {19, true}, Qt::AlignHCenter | Qt::AlignTop),
        ObjetoRelatorio::texto({111.50, 34.13, 495.12, 18.90}, QStringLiteral("[periodo]"), {13, true},
                               Qt::AlignHCenter | Qt::AlignTop),
        ObjetoRelatorio::texto({esquerdaContador, 7.56, 128.50, 15.12}, QStringLiteral("Página [Page] de [TotalPages#] "),
                               {11, false}, Qt::AlignRight | Qt::AlignTop),
        ObjetoRelatorio::regra(0, 56.69, kLarguraRegra),
    };

    m.cabecalhoColunas.altura = 30.24;
    m.dados.altura = 18.90;
    for (const Coluna& c : kColunas) {
        m.cabecalhoColunas.objetos.append(ObjetoRelatorio::texto({c.esquerda, c.topoTitulo, c.largura, 26.46},
                                                                 QString::fromUtf16(c.titulo), {11, true},
                                                                 c.alinhamentoTitulo | Qt::AlignVCenter));
        m.dados.objetos.append(ObjetoRelatorio::texto({c.esquerda, 2.78, c.largura, 15.12},
                                                      campo(QString::fromUtf16(c.campo)), {11, false},
                                                      c.alinhamentoValor | Qt::AlignTop, QString::fromUtf16(c.formato)));
    }

    m.rodape.altura = 30.24;
    m.rodape.objetos = {
        ObjetoRelatorio::regra(0, 4.00, kLarguraRegra),
        ObjetoRelatorio::texto({7.56, 6.56, 94.49, 18.90}, QStringLiteral("Totalização"), {11, true},
                               Qt::AlignRight | Qt::AlignVCenter),
        ObjetoRelatorio::texto({619.84, 6.56, 94.49, 18.90}, QStringLiteral("[SUM(<dataSetRel.\"total_cupom\">,0,0)]"),
                               {11, true}, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%2.2f")),
    };
    return m;
}

QString data(QDate d, QChar separador) {
    return d.toString(QStringLiteral("dd%1MM%1yyyy").arg(separador));
}

}  // namespace

ModeloRelatorio ModeloRelPromed() { return modeloCupons(QStringLiteral("Relatório PROMED"), 581.83); }

ModeloRelatorio ModeloRelProfarma() { return modeloCupons(QStringLiteral("Relatório PROFARM"), 577.49); }

QString TextoPeriodo(QDate de, QDate ate) {
    return QStringLiteral("Período: %1 até %2").arg(data(de, u'/'), data(ate, u'/'));
}

QString NomeArquivoRelatorio(const QString& titulo, QDate de, QDate ate) {
    return QStringLiteral("%1 - %2 a %3").arg(titulo, data(de, u'-'), data(ate, u'-'));
}

void PrepararRelatorio(Relatorio& relatorio, QDate de, QDate ate, const TabelaDados& dados) {
    ModeloRelatorio& modelo = relatorio.modelo();
    modelo.previa.modal = false;
    modelo.previa.botoes = BotaoPrevia::Exportar | BotaoPrevia::Zoom | BotaoPrevia::Localizar | BotaoPrevia::Navegar;
    modelo.variaveis.insert(QStringLiteral("periodo"), LiteralTexto(TextoPeriodo(de, ate)));
    relatorio.Preparar(dados, NomeArquivoRelatorio(modelo.titulo, de, ate));
}

void PrepararRelatorio(Relatorio& relatorio, QDate de, QDate ate, QSqlQuery& consulta) {
    PrepararRelatorio(relatorio, de, ate, TabelaDados::deConsulta(consulta));
}
