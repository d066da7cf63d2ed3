#include "ApoioRelatorio.h"
#include "Cp1252.h"
#include "Erro.h"
#include "Exportacao.h"
#include "RelatoriosCupons.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const QString kPeriodo = QStringLiteral("Período: 01/05/2024 até 31/05/2024");
const QStringList kTitulos = {"Matrícula beneficiário", "Nome beneficiário", "Filial farmácia",
                              "Número documento fiscal", "Data compra", "Valor compra"};

// 101 coupons (three pages): three with special texts and values, then 98 of 1.25.
TabelaDados cuponsDeTresPaginas() {
    QList<Cupom> cupons = {
        {"00012345", "MARIA D'ÁVILA & CONCEIÇÃO <1>", QStringLiteral("0042"), 555,
         QDateTime(QDate(2024, 5, 2), QTime(9, 15, 30)), "10.5000"},
        {"00067890", "JOSÉ", QVariant(), 556, QDateTime(QDate(2024, 5, 3), QTime(0, 0)), "20.0000"},
        {"00011111", "ANA", QStringLiteral("0007"), 557, QDateTime(QDate(2024, 5, 4), QTime(18, 0, 1)), "0.2500"},
    };
    for (int i = 0; i < 98; ++i) {
        cupons.append({QStringLiteral("9%1").arg(i, 7, 10, QChar(u'0')), QStringLiteral("BENEFICIÁRIO %1").arg(i),
                       QStringLiteral("0100"), 1000 + i, QDateTime(QDate(2024, 5, 10), QTime(10, 0)).addSecs(i), "1.25"});
    }
    return TabelaCupons(cupons);
}

class Exportacao : public ::testing::Test {
protected:
    Exportacao() {
        Relatorio relatorio(ModeloRelPromed());
        PrepararRelatorio(relatorio, QDate(2024, 5, 1), QDate(2024, 5, 31), cuponsDeTresPaginas());
        preparado = relatorio.preparado();
    }

    QString exportar(FormatoExportacao formato, const RelatorioPreparado* r = nullptr) {
        const QString caminho = pasta.filePath(QStringLiteral("Relatório PROMED.") + ExtensaoArquivo(formato));
        ExportarRelatorio(r ? *r : *preparado, formato, caminho);
        return caminho;
    }

    static QByteArray parte(const QString& zip, const QString& nome) { return Executar("unzip", {"-p", zip, nome}); }

    std::shared_ptr<const RelatorioPreparado> preparado;
    QTemporaryDir pasta;
};

TEST_F(Exportacao, PdfTemTextoSelecionavelTresPaginasETitulo) {
    const QString caminho = exportar(FormatoExportacao::Pdf);
    const QStringList paginas = QString::fromUtf8(Executar("pdftotext", {"-layout", caminho, "-"})).split(u'\f');
    ASSERT_EQ(paginas.size(), 4);  // every page ends with a form feed
    for (int p = 0; p < 3; ++p) {
        EXPECT_TRUE(paginas[p].contains("Relatório PROMED")) << p;
        EXPECT_TRUE(paginas[p].contains(kPeriodo)) << p;
        EXPECT_TRUE(paginas[p].contains(QStringLiteral("Página %1 de 3").arg(p + 1))) << p;
        EXPECT_TRUE(paginas[p].contains("Data compra")) << p;
        EXPECT_EQ(paginas[p].contains("Totalização"), p == 2) << p;
    }
    for (const char* texto : {"MARIA D'ÁVILA & CONCEIÇÃO <1>", "02/05/2024", "10,50", "20,00", "0,25", "0042"})
        EXPECT_TRUE(paginas[0].contains(QString::fromUtf8(texto))) << texto;
    EXPECT_TRUE(paginas[2].contains("153,25"));

    const QString info = QString::fromUtf8(Executar("pdfinfo", {caminho}));
    EXPECT_TRUE(info.contains(QRegularExpression("Title: +Relatório PROMED\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Creator: +ExportacaoQuelvar\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Author: +ExportacaoQuelvar\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Subject: +[^\n]*ExportacaoQuelvar\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Pages: +3\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))) << info.toStdString();
}

// --- a small reader of the one sheet: cell -> text or number, with the number format shown ---

struct CelulaXlsx {
    QString texto;     // shared or inline string
    QString numero;    // the stored number, when the cell holds one
    QString formato;   // number format code; empty for General
};

QStringList lerTextosCompartilhados(const QByteArray& xml) {
    QStringList textos;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"si")
            textos << QString();
        else if (r.isStartElement() && r.name() == u"t" && !textos.isEmpty())
            textos.last() += r.readElementText();
    }
    return textos;
}

QList<QString> lerFormatosDeCelula(const QByteArray& xml) {
    QMap<int, QString> codigos;
    QList<QString> formatos;
    QXmlStreamReader r(xml);
    bool emXfs = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"numFmt")
            codigos[r.attributes().value("numFmtId").toInt()] = r.attributes().value("formatCode").toString();
        else if (r.isStartElement() && r.name() == u"cellXfs")
            emXfs = true;
        else if (r.isEndElement() && r.name() == u"cellXfs")
            emXfs = false;
        else if (emXfs && r.isStartElement() && r.name() == u"xf")
            formatos << codigos.value(r.attributes().value("numFmtId").toInt());
    }
    return formatos;
}

QMap<QString, CelulaXlsx> lerPlanilha(const QByteArray& folha, const QStringList& textos, const QList<QString>& formatos) {
    QMap<QString, CelulaXlsx> celulas;
    QXmlStreamReader r(folha);
    QString ref, tipo;
    int estilo = 0;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"c") {
            ref = r.attributes().value("r").toString();
            tipo = r.attributes().value("t").toString();
            estilo = r.attributes().value("s").toInt();
        } else if (r.isStartElement() && r.name() == u"v") {
            const QString v = r.readElementText();
            CelulaXlsx& c = celulas[ref];
            c.formato = formatos.value(estilo);
            if (tipo == u"s")
                c.texto = textos.value(v.toInt());
            else if (tipo.isEmpty() || tipo == u"n")
                c.numero = v;
        }
    }
    return celulas;
}

double serialExcel(const QDateTime& momento) {
    return QDate(1899, 12, 30).daysTo(momento.date()) + momento.time().msecsSinceStartOfDay() / 86400000.0;
}

TEST_F(Exportacao, XlsxGuardaNumerosEDatasComFormatoERepeteOsCabecalhosPorPagina) {
    const QString caminho = exportar(FormatoExportacao::Excel);
    const auto celulas = lerPlanilha(parte(caminho, "xl/worksheets/sheet1.xml"),
                                     lerTextosCompartilhados(parte(caminho, "xl/sharedStrings.xml")),
                                     lerFormatosDeCelula(parte(caminho, "xl/styles.xml")));

    // Each report page: title and counter, period, column titles, then its rows.
    const int inicioPagina[] = {1, 54, 107};
    for (int p = 0; p < 3; ++p) {
        const int l = inicioPagina[p];
        EXPECT_EQ(celulas.value(QStringLiteral("B%1").arg(l)).texto, "Relatório PROMED") << p;
        EXPECT_EQ(celulas.value(QStringLiteral("E%1").arg(l)).texto, QStringLiteral("Página %1 de 3 ").arg(p + 1)) << p;
        EXPECT_EQ(celulas.value(QStringLiteral("B%1").arg(l + 1)).texto, kPeriodo) << p;
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(celulas.value(QStringLiteral("%1%2").arg(QChar(u'A' + c)).arg(l + 2)).texto, kTitulos[c]) << p;
    }

    const CelulaXlsx chapa = celulas.value("A4");
    EXPECT_EQ(chapa.texto, "00012345");  // text keeps its leading zeros
    EXPECT_EQ(celulas.value("B4").texto, "MARIA D'ÁVILA & CONCEIÇÃO <1>");
    EXPECT_EQ(celulas.value("C4").texto, "0042");
    EXPECT_FALSE(celulas.contains("C5"));  // branch without a code
    EXPECT_EQ(celulas.value("D4").numero, "555");
    const CelulaXlsx data = celulas.value("E4");
    EXPECT_NEAR(data.numero.toDouble(), serialExcel(QDateTime(QDate(2024, 5, 2), QTime(9, 15, 30))), 1e-6);
    EXPECT_EQ(data.formato, "dd/mm/yyyy hh:mm:ss");
    EXPECT_EQ(celulas.value("E5").formato, "dd/mm/yyyy");  // midnight, shown as a date alone
    for (const auto& [ref, valor] : {std::pair{"F4", 10.5}, {"F5", 20.0}, {"F6", 0.25}}) {
        EXPECT_DOUBLE_EQ(celulas.value(ref).numero.toDouble(), valor) << ref;
        EXPECT_EQ(celulas.value(ref).formato, "0.00") << ref;
    }

    // The footer after the last row, with the total as a number.
    EXPECT_EQ(celulas.value("A111").texto, "Totalização");
    EXPECT_DOUBLE_EQ(celulas.value("F111").numero.toDouble(), 153.25);
    EXPECT_EQ(celulas.value("F111").formato, "0.00");
    EXPECT_FALSE(celulas.contains("A112"));

    const QString folha = QString::fromUtf8(parte(caminho, "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(folha.contains(QRegularExpression(R"(<rowBreaks count="2"[^>]*><brk id="53"[^>]*/><brk id="106")")))
        << "page breaks where the report's pages begin";
    EXPECT_TRUE(folha.contains(QRegularExpression(R"(<pageSetup paperSize="9")")));

    // A date or number does not wrap in a cell: its column must hold the whole text, and the
    // widened sheet is scaled to keep each report page one printed page wide.
    QList<double> pixels;
    for (const auto& m : QRegularExpression(R"re(<col min="(\d+)" max="(\d+)" width="([\d.]+)")re").globalMatch(folha)) {
        for (int c = m.captured(1).toInt(); c <= m.captured(2).toInt(); ++c)
            pixels << m.captured(3).toDouble() * 7 + 5;
    }
    ASSERT_EQ(pixels.size(), 6);
    QFont arial("Arial");
    arial.setPixelSize(11);
    EXPECT_GE(pixels[4], QFontMetricsF(arial).horizontalAdvance("02/05/2024 09:15:30"));
    EXPECT_GE(pixels[5], QFontMetricsF(arial).horizontalAdvance("153,25"));
    const auto escala = QRegularExpression(R"re(<pageSetup [^>]*scale="(\d+)")re").match(folha);
    ASSERT_TRUE(escala.hasMatch());
    double total = 0;
    for (double p : pixels)
        total += p;
    EXPECT_LE(total * escala.captured(1).toInt() / 100, 190 * kUnidadesPorMm);
    EXPECT_TRUE(folha.contains(R"(<mergeCell ref="B1:D1"/>)"));
    const QString propriedades = QString::fromUtf8(parte(caminho, "docProps/core.xml"));
    EXPECT_TRUE(propriedades.contains("<dc:title>Relatório PROMED</dc:title>"));
    EXPECT_TRUE(propriedades.contains("<dc:creator>ExportacaoQuelvar</dc:creator>"));
}

// --- the Word document: paragraphs before the table, then the table's rows ---

struct DocumentoDocx {
    QStringList paragrafos;          // outside the table
    QList<QStringList> linhas;       // cell texts
    QList<bool> linhasCabecalho;     // rows marked to repeat on each page
    int colunasGrade = 0;
};

DocumentoDocx lerDocx(const QByteArray& xml) {
    DocumentoDocx d;
    QXmlStreamReader r(xml);
    int nivelTabela = 0;
    QString texto;
    while (!r.atEnd()) {
        r.readNext();
        const auto nome = r.name();
        if (r.isStartElement()) {
            if (nome == u"tbl") {
                ++nivelTabela;
            } else if (nome == u"tr") {
                d.linhas << QStringList();
                d.linhasCabecalho << false;
            } else if (nome == u"tblHeader") {
                d.linhasCabecalho.last() = true;
            } else if (nome == u"gridCol") {
                ++d.colunasGrade;
            } else if (nome == u"tc" || nome == u"p") {
                texto.clear();
            } else if (nome == u"t") {
                texto += r.readElementText();
            }
        } else if (r.isEndElement()) {
            if (nome == u"tbl")
                --nivelTabela;
            else if (nome == u"tc")
                d.linhas.last() << texto;
            else if (nome == u"p" && nivelTabela == 0)
                d.paragrafos << texto;
        }
    }
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString();
    return d;
}

TEST_F(Exportacao, DocxTemTituloPeriodoEUmaTabelaComCabecalhoRepetido) {
    const QString caminho = exportar(FormatoExportacao::Word);
    Executar("unzip", {"-tq", caminho});
    const QByteArray xml = parte(caminho, "word/document.xml");
    const DocumentoDocx d = lerDocx(xml);

    EXPECT_EQ(d.paragrafos, QStringList({"Relatório PROMED", kPeriodo}));
    EXPECT_FALSE(QString::fromUtf8(xml).contains("Página"));  // Word numbers its own pages
    EXPECT_EQ(d.colunasGrade, 6);
    ASSERT_EQ(d.linhas.size(), 1 + 101 + 1);
    EXPECT_EQ(d.linhas[0], kTitulos);
    EXPECT_EQ(d.linhasCabecalho.count(true), 1);
    EXPECT_TRUE(d.linhasCabecalho[0]);
    EXPECT_EQ(d.linhas[1], QStringList({"00012345", "MARIA D'ÁVILA & CONCEIÇÃO <1>", "0042", "555", "02/05/2024 09:15:30", "10,50"}));
    EXPECT_EQ(d.linhas[2], QStringList({"00067890", "JOSÉ", "", "556", "03/05/2024", "20,00"}));
    EXPECT_EQ(d.linhas.last(), QStringList({"Totalização", "", "", "", "", "153,25"}));

    const QString tipos = QString::fromUtf8(parte(caminho, "[[]Content_Types].xml"));
    EXPECT_TRUE(tipos.contains("wordprocessingml.document.main+xml"));
    EXPECT_TRUE(QString::fromUtf8(parte(caminho, "docProps/core.xml")).contains("<dc:title>Relatório PROMED</dc:title>"));
}

TEST_F(Exportacao, TextoEmCp1252ComCrLfColunasAlinhadasESemLinhasVazias) {
    QFile arquivo(exportar(FormatoExportacao::Texto));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    const QByteArray bytes = arquivo.readAll();

    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_FALSE(bytes.contains("\r\n\r\n"));
    EXPECT_TRUE(bytes.contains("Relat\xF3rio PROMED"));  // ó as one byte
    EXPECT_FALSE(bytes.contains("\xC3\xB3"));             // not ó in UTF-8

    const QStringList linhas = cp1252::decodificar(bytes.chopped(2)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(linhas.size(), 3 * 3 + 101 + 1);
    EXPECT_EQ(linhas.count(linhas[2]), 3);  // column titles on each page
    EXPECT_EQ(linhas.filter(kPeriodo).size(), 3);
    EXPECT_TRUE(linhas[0].endsWith("Página 1 de 3"));

    // Every row starts each column where its title starts; values end where their title ends.
    const QString titulos = linhas[2];
    const qsizetype inicioNome = titulos.indexOf("Nome beneficiário");
    const qsizetype fimValor = titulos.indexOf("Valor compra") + QStringLiteral("Valor compra").size();
    ASSERT_GT(inicioNome, 0);
    EXPECT_TRUE(titulos.startsWith("Matrícula beneficiário"));
    const QString primeira = linhas[3];
    EXPECT_TRUE(primeira.startsWith("00012345 "));
    EXPECT_EQ(primeira.indexOf("MARIA D'ÁVILA"), inicioNome);
    EXPECT_EQ(primeira.size(), fimValor);
    EXPECT_TRUE(primeira.endsWith(" 10,50"));
    EXPECT_EQ(linhas[4].indexOf("JOSÉ"), inicioNome);
    EXPECT_TRUE(linhas[4].endsWith(" 20,00"));
    EXPECT_TRUE(linhas.last().endsWith(" 153,25"));
    EXPECT_EQ(linhas.last().size(), fimValor);
    EXPECT_TRUE(linhas.last().trimmed().startsWith("Totalização"));
}

// A column that never holds a character leaves no gap in the text file.
TEST(ExportacaoTexto, ColunaSempreVaziaESuprimida) {
    ModeloRelatorio modelo;
    modelo.titulo = "T";
    modelo.nomeDados = "d";
    modelo.cabecalhoColunas.altura = 20;
    modelo.dados.altura = 20;
    const char* campos[] = {"a", "b", "c"};
    const char* titulos[] = {"AAAA", "", "CC"};
    for (int i = 0; i < 3; ++i) {
        const QRectF caixa(i * 100.0, 0, 90, 18);
        modelo.cabecalhoColunas.objetos << ObjetoRelatorio::texto(caixa, titulos[i], {11, false}, Qt::AlignLeft);
        modelo.dados.objetos << ObjetoRelatorio::texto(caixa, QStringLiteral("[d.\"%1\"]").arg(campos[i]), {11, false}, Qt::AlignLeft);
    }
    const TabelaDados dados({"a", "b", "c"}, {{"x", QVariant(), "yyy"}, {"xxxxx", "", "y"}});
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath("t.txt");
    ExportarRelatorio(PrepararPaginas(modelo, dados, {}), FormatoExportacao::Texto, caminho);
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(arquivo.readAll(), QByteArray("AAAA   CC\r\n"
                                            "x      yyy\r\n"
                                            "xxxxx  y\r\n"));
}

TEST_F(Exportacao, RelatorioVazioExportaSoOsCabecalhosEmTodosOsFormatos) {
    Relatorio relatorio(ModeloRelProfarma());
    PrepararRelatorio(relatorio, QDate(2024, 5, 1), QDate(2024, 5, 31), CuponsNumerados(0));
    const RelatorioPreparado& vazio = *relatorio.preparado();

    const QString texto = QString::fromUtf8(Executar("pdftotext", {exportar(FormatoExportacao::Pdf, &vazio), "-"}));
    EXPECT_EQ(texto.count(u'\f'), 1);
    EXPECT_TRUE(texto.contains("Relatório PROFARM") && texto.contains("Valor compra") && !texto.contains("Totalização"));

    const DocumentoDocx d = lerDocx(parte(exportar(FormatoExportacao::Word, &vazio), "word/document.xml"));
    EXPECT_EQ(d.linhas, QList<QStringList>({kTitulos}));

    const QString xlsx = exportar(FormatoExportacao::Excel, &vazio);
    const auto celulas = lerPlanilha(parte(xlsx, "xl/worksheets/sheet1.xml"),
                                     lerTextosCompartilhados(parte(xlsx, "xl/sharedStrings.xml")), {});
    EXPECT_EQ(celulas.value("F3").texto, "Valor compra");
    EXPECT_FALSE(celulas.contains("A4"));

    QFile txt(exportar(FormatoExportacao::Texto, &vazio));
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    EXPECT_EQ(txt.readAll().count("\r\n"), 3);
}

TEST_F(Exportacao, SubstituiArquivoExistenteSemPerguntar) {
    const QString caminho = pasta.filePath("existente.txt");
    QFile antigo(caminho);
    ASSERT_TRUE(antigo.open(QIODevice::WriteOnly));
    antigo.write(QByteArray(100000, 'x'));
    antigo.close();
    ExportarRelatorio(*preparado, FormatoExportacao::Texto, caminho);
    QFile novo(caminho);
    QFile referencia(exportar(FormatoExportacao::Texto));
    ASSERT_TRUE(novo.open(QIODevice::ReadOnly) && referencia.open(QIODevice::ReadOnly));
    EXPECT_EQ(novo.readAll(), referencia.readAll());
}

TEST_F(Exportacao, FalhaDizOCaminhoENaoDeixaArquivo) {
    const QString semPasta = pasta.filePath("nao-existe/relatorio");
    const QString ehPasta = pasta.filePath("uma-pasta");
    ASSERT_TRUE(QDir(pasta.path()).mkdir("uma-pasta"));
    for (FormatoExportacao formato :
         {FormatoExportacao::Pdf, FormatoExportacao::Excel, FormatoExportacao::Word, FormatoExportacao::Texto}) {
        for (const QString& caminho : {semPasta, ehPasta}) {
            try {
                ExportarRelatorio(*preparado, formato, caminho);
                ADD_FAILURE() << "no error writing " << caminho.toStdString();
            } catch (const Erro& e) {
                EXPECT_TRUE(e.texto().contains(QDir::toNativeSeparators(caminho))) << e.texto().toStdString();
            }
        }
    }
    EXPECT_FALSE(QFile::exists(semPasta));
    EXPECT_TRUE(QFileInfo(ehPasta).isDir());
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// An export that fails half-way leaves the old file as it was and no temporary file beside it.
TEST_F(Exportacao, FalhaAoGerarMantemOArquivoAnterior) {
    RelatorioPreparado defeituoso = *preparado;
    ItemPagina& valor = defeituoso.paginas[0].faixas[2].itens[5];
    valor.formato = "%d";  // not a format the engine knows: the sheet cannot be written
    const QString caminho = pasta.filePath("anterior.xlsx");
    QFile anterior(caminho);
    ASSERT_TRUE(anterior.open(QIODevice::WriteOnly));
    anterior.write("conteúdo anterior");
    anterior.close();

    EXPECT_THROW(ExportarRelatorio(defeituoso, FormatoExportacao::Excel, caminho), Erro);
    ASSERT_TRUE(anterior.open(QIODevice::ReadOnly));
    EXPECT_EQ(anterior.readAll(), QByteArray("conteúdo anterior"));
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"anterior.xlsx"}));
}

}  // namespace
