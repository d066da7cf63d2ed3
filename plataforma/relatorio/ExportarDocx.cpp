#include "Formatos.h"

#include "Erro.h"
#include "Grade.h"

#include <QDateTime>
#include <QXmlStreamWriter>

#include <zip.h>

#include <memory>

namespace {

constexpr double kTwipsPorUnidade = 1440.0 / kUnidadesPorPolegada;
constexpr double kTwipsPorMm = 1440.0 / 25.4;
const QString kW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

int twips(double unidades) { return qRound(unidades * kTwipsPorUnidade); }

// Word sizes fonts in half points; the report's pixel heights are of a 96-per-inch screen.
int meiosPontos(int pixels) { return 2 * qRound(pixels * 72.0 / kUnidadesPorPolegada); }

class Documento {
public:
    Documento() : m_xml(&m_conteudo) {}

    QByteArray escrever(const RelatorioPreparado& relatorio) {
        const Grade grade = MontarGrade(relatorio);
        m_xml.writeStartDocument();
        m_xml.writeNamespace(kW, QStringLiteral("w"));
        m_xml.writeStartElement(kW, QStringLiteral("document"));
        m_xml.writeStartElement(kW, QStringLiteral("body"));

        // Word lays out its own pages: the page header once as paragraphs (without page numbers,
        // which would be wrong after the first page), the column header as the table's heading
        // row repeated on each page, then every row and the footer.
        QList<const LinhaGrade*> cabecalho;
        QList<const LinhaGrade*> corpo;
        for (int p = 0; p < grade.paginas.size(); ++p) {
            for (const LinhaGrade& linha : grade.paginas[p]) {
                if (linha.tipo == TipoBanda::CabecalhoPagina) {
                    if (p == 0)
                        escreverParagrafos(linha);
                } else if (linha.tipo == TipoBanda::CabecalhoColunas) {
                    if (p == 0)
                        cabecalho.append(&linha);
                } else {
                    corpo.append(&linha);
                }
            }
        }
        escreverTabela(grade.larguras, cabecalho, corpo);
        escreverSecao(relatorio);

        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
        return m_conteudo;
    }

private:
    void vazio(const QString& nome, std::initializer_list<std::pair<const char*, QString>> atributos = {}) {
        m_xml.writeEmptyElement(kW, nome);
        for (const auto& [atributo, valor] : atributos)
            m_xml.writeAttribute(kW, QString::fromLatin1(atributo), valor);
    }

    void alinhamento(Qt::Alignment a) {
        vazio(QStringLiteral("jc"), {{"val", a & Qt::AlignRight     ? QStringLiteral("right")
                                             : a & Qt::AlignHCenter ? QStringLiteral("center")
                                                                    : QStringLiteral("left")}});
    }

    void borda(const QString& lado) {
        vazio(lado, {{"val", QStringLiteral("single")}, {"sz", QStringLiteral("4")}, {"space", QStringLiteral("0")},
                     {"color", QStringLiteral("000000")}});
    }

    void paragrafo(const ItemPagina* item, bool regraAbaixo) {
        m_xml.writeStartElement(kW, QStringLiteral("p"));
        m_xml.writeStartElement(kW, QStringLiteral("pPr"));
        if (regraAbaixo) {
            m_xml.writeStartElement(kW, QStringLiteral("pBdr"));
            borda(QStringLiteral("bottom"));
            m_xml.writeEndElement();
        }
        vazio(QStringLiteral("spacing"), {{"before", QStringLiteral("0")}, {"after", QStringLiteral("0")}});
        if (item)
            alinhamento(item->alinhamento);
        m_xml.writeEndElement();
        if (item && !item->texto.isEmpty()) {
            m_xml.writeStartElement(kW, QStringLiteral("r"));
            m_xml.writeStartElement(kW, QStringLiteral("rPr"));
            vazio(QStringLiteral("rFonts"), {{"ascii", QStringLiteral("Arial")}, {"hAnsi", QStringLiteral("Arial")},
                                            {"cs", QStringLiteral("Arial")}});
            if (item->fonte.negrito)
                vazio(QStringLiteral("b"));
            vazio(QStringLiteral("sz"), {{"val", QString::number(meiosPontos(item->fonte.alturaPixels))}});
            m_xml.writeEndElement();
            m_xml.writeStartElement(kW, QStringLiteral("t"));
            m_xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            m_xml.writeCharacters(item->texto);
            m_xml.writeEndElement();
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }

    void escreverParagrafos(const LinhaGrade& linha) {
        for (const CelulaGrade& celula : linha.celulas) {
            if (!celula.item.dependePagina)
                paragrafo(&celula.item, linha.regraAbaixo);
        }
    }

    void escreverCelula(const LinhaGrade& linha, const QList<double>& larguras, int primeira, int ultima,
                        const ItemPagina* item) {
        double largura = 0;
        for (int c = primeira; c <= ultima; ++c)
            largura += larguras[c];
        m_xml.writeStartElement(kW, QStringLiteral("tc"));
        m_xml.writeStartElement(kW, QStringLiteral("tcPr"));
        vazio(QStringLiteral("tcW"), {{"w", QString::number(twips(largura))}, {"type", QStringLiteral("dxa")}});
        if (ultima > primeira)
            vazio(QStringLiteral("gridSpan"), {{"val", QString::number(ultima - primeira + 1)}});
        if (linha.regraAcima || linha.regraAbaixo) {
            m_xml.writeStartElement(kW, QStringLiteral("tcBorders"));
            if (linha.regraAcima)
                borda(QStringLiteral("top"));
            if (linha.regraAbaixo)
                borda(QStringLiteral("bottom"));
            m_xml.writeEndElement();
        }
        if (item && (item->alinhamento & Qt::AlignVCenter))
            vazio(QStringLiteral("vAlign"), {{"val", QStringLiteral("center")}});
        m_xml.writeEndElement();
        paragrafo(item, false);
        m_xml.writeEndElement();
    }

    void escreverLinha(const LinhaGrade& linha, const QList<double>& larguras, bool repetir) {
        m_xml.writeStartElement(kW, QStringLiteral("tr"));
        m_xml.writeStartElement(kW, QStringLiteral("trPr"));
        vazio(QStringLiteral("trHeight"), {{"val", QString::number(twips(linha.altura))}, {"hRule", QStringLiteral("atLeast")}});
        if (repetir)
            vazio(QStringLiteral("tblHeader"));
        m_xml.writeEndElement();
        int coluna = 0;
        for (const CelulaGrade& celula : linha.celulas) {
            for (; coluna < celula.primeira; ++coluna)
                escreverCelula(linha, larguras, coluna, coluna, nullptr);
            escreverCelula(linha, larguras, celula.primeira, celula.ultima, &celula.item);
            coluna = celula.ultima + 1;
        }
        for (; coluna < larguras.size(); ++coluna)
            escreverCelula(linha, larguras, coluna, coluna, nullptr);
        m_xml.writeEndElement();
    }

    void escreverTabela(const QList<double>& larguras, const QList<const LinhaGrade*>& cabecalho,
                        const QList<const LinhaGrade*>& corpo) {
        double total = 0;
        for (double l : larguras)
            total += l;
        m_xml.writeStartElement(kW, QStringLiteral("tbl"));
        m_xml.writeStartElement(kW, QStringLiteral("tblPr"));
        vazio(QStringLiteral("tblW"), {{"w", QString::number(twips(total))}, {"type", QStringLiteral("dxa")}});
        vazio(QStringLiteral("tblLayout"), {{"type", QStringLiteral("fixed")}});
        m_xml.writeStartElement(kW, QStringLiteral("tblCellMar"));
        for (const char* lado : {"left", "right"})
            vazio(QString::fromLatin1(lado), {{"w", QString::number(twips(2))}, {"type", QStringLiteral("dxa")}});
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeStartElement(kW, QStringLiteral("tblGrid"));
        for (double l : larguras)
            vazio(QStringLiteral("gridCol"), {{"w", QString::number(twips(l))}});
        m_xml.writeEndElement();
        for (const LinhaGrade* linha : cabecalho)
            escreverLinha(*linha, larguras, true);
        for (const LinhaGrade* linha : corpo)
            escreverLinha(*linha, larguras, false);
        m_xml.writeEndElement();
    }

    void escreverSecao(const RelatorioPreparado& relatorio) {
        const QString margem = QString::number(qRound(relatorio.margemMm * kTwipsPorMm));
        m_xml.writeStartElement(kW, QStringLiteral("sectPr"));
        vazio(QStringLiteral("pgSz"), {{"w", QString::number(qRound(relatorio.papelMm.width() * kTwipsPorMm))},
                                      {"h", QString::number(qRound(relatorio.papelMm.height() * kTwipsPorMm))}});
        vazio(QStringLiteral("pgMar"), {{"top", margem}, {"right", margem}, {"bottom", margem}, {"left", margem},
                                       {"header", QStringLiteral("0")}, {"footer", QStringLiteral("0")},
                                       {"gutter", QStringLiteral("0")}});
        m_xml.writeEndElement();
    }

    QByteArray m_conteudo;
    QXmlStreamWriter m_xml;
};

QByteArray propriedades(const RelatorioPreparado& relatorio) {
    QByteArray conteudo;
    QXmlStreamWriter xml(&conteudo);
    const QString cp = QStringLiteral("http://schemas.openxmlformats.org/package/2006/metadata/core-properties");
    const QString dc = QStringLiteral("http://purl.org/dc/elements/1.1/");
    const QString dcterms = QStringLiteral("http://purl.org/dc/terms/");
    const QString xsi = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");
    xml.writeStartDocument();
    xml.writeNamespace(cp, QStringLiteral("cp"));
    xml.writeNamespace(dc, QStringLiteral("dc"));
    xml.writeNamespace(dcterms, QStringLiteral("dcterms"));
    xml.writeNamespace(xsi, QStringLiteral("xsi"));
    xml.writeStartElement(cp, QStringLiteral("coreProperties"));
    xml.writeTextElement(dc, QStringLiteral("title"), relatorio.titulo);
    xml.writeTextElement(dc, QStringLiteral("creator"), QString::fromLatin1(kNomePrograma));
    xml.writeStartElement(dcterms, QStringLiteral("created"));
    xml.writeAttribute(xsi, QStringLiteral("type"), QStringLiteral("dcterms:W3CDTF"));
    xml.writeCharacters(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return conteudo;
}

const char kTiposConteudo[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>)"
    R"(</Types>)";

const char kRelacoes[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>)"
    R"(</Relationships>)";

[[noreturn]] void falhaZip(const char* texto) {
    throw Erro(QStringLiteral("Erro ao compactar o documento: %1").arg(QString::fromUtf8(texto)));
}

// For errors of our own: the text is copied before the error is released.
[[noreturn]] void falhaZip(zip_error_t* erro) {
    const QByteArray texto = zip_error_strerror(erro);
    zip_error_fini(erro);
    falhaZip(texto.constData());
}

[[noreturn]] void falhaArquivo(zip_t* arquivo) {
    zip_error_t erro;
    zip_error_init_with_code(&erro, zip_error_code_zip(zip_get_error(arquivo)));
    zip_discard(arquivo);
    falhaZip(&erro);
}

// The zip archive is built in memory; every part's bytes must outlive zip_close.
QByteArray compactar(const QList<std::pair<const char*, QByteArray>>& partes) {
    zip_error_t erro;
    zip_error_init(&erro);
    zip_source_t* destino = zip_source_buffer_create(nullptr, 0, 0, &erro);
    if (!destino)
        falhaZip(&erro);
    std::unique_ptr<zip_source_t, decltype(&zip_source_free)> guardaDestino(destino, zip_source_free);
    zip_t* arquivo = zip_open_from_source(destino, ZIP_TRUNCATE, &erro);
    if (!arquivo)
        falhaZip(&erro);
    zip_source_keep(destino);  // closing the archive releases it once; it is read afterwards
    for (const auto& [nome, bytes] : partes) {
        zip_source_t* parte = zip_source_buffer(arquivo, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!parte)
            falhaArquivo(arquivo);
        if (zip_file_add(arquivo, nome, parte, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(parte);
            falhaArquivo(arquivo);
        }
    }
    if (zip_close(arquivo) < 0)
        falhaArquivo(arquivo);

    zip_stat_t estado;
    if (zip_source_stat(destino, &estado) < 0 || zip_source_open(destino) < 0)
        falhaZip(zip_error_strerror(zip_source_error(destino)));
    QByteArray resultado(qsizetype(estado.size), Qt::Uninitialized);
    const zip_int64_t lidos = zip_source_read(destino, resultado.data(), estado.size);
    zip_source_close(destino);
    if (lidos != zip_int64_t(estado.size))
        falhaZip(zip_error_strerror(zip_source_error(destino)));
    return resultado;
}

}  // namespace

QByteArray GerarDocx(const RelatorioPreparado& relatorio) {
    Documento documento;
    return compactar({
        {"[Content_Types].xml", QByteArray(kTiposConteudo)},
        {"_rels/.rels", QByteArray(kRelacoes)},
        {"docProps/core.xml", propriedades(relatorio)},
        {"word/document.xml", documento.escrever(relatorio)},
    });
}
