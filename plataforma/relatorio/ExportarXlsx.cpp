#include "Formatos.h"

#include "Erro.h"
#include "Expressao.h"
#include "Grade.h"
#include "Money.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace {

constexpr double kPontosPorUnidade = 72.0 / kUnidadesPorPolegada;

// Excel measures a column in widths of the default font's digit, 7 pixels plus 5 of padding.
double larguraExcel(double unidades) { return std::max(0.0, (unidades - 5.0) / 7.0); }

double polegadas(double mm) { return mm / 25.4; }

QString formatoNumero(const QString& formatoRelatorio) {
    const int casas = CasasDoFormato(formatoRelatorio);
    return casas > 0 ? QStringLiteral("0.") + QString(casas, u'0') : QStringLiteral("0");
}

bool ehInteiro(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

// How a cell is stored: numbers and dates stay numbers and dates, with the report's display
// format as the cell's number format.
struct ValorCelula {
    enum class Tipo { Texto, Numero, Data } tipo = Tipo::Texto;
    double numero = 0;
    QDateTime data;
    QString formato;
};

ValorCelula classificar(const ItemPagina& item) {
    const QVariant& v = item.valor;
    ValorCelula c;
    if (!v.isValid() || v.isNull())
        return c;
    if (!item.formato.isEmpty()) {
        c = {ValorCelula::Tipo::Numero, Money::deVariant(v).escalado() / 10000.0, {}, formatoNumero(item.formato)};
    } else if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate) {
        const QDateTime momento = v.toDateTime();
        const bool soData = v.typeId() == QMetaType::QDate || momento.time() == QTime(0, 0);
        c = {ValorCelula::Tipo::Data, 0, momento, soData ? QStringLiteral("dd/mm/yyyy") : QStringLiteral("dd/mm/yyyy hh:mm:ss")};
    } else if (ehInteiro(v)) {
        c = {ValorCelula::Tipo::Numero, v.toDouble(), {}, QStringLiteral("0")};
    }
    return c;
}

// A number does not wrap in a sheet: a column too narrow for it shows ###. Arial's digits are
// 0.556 of the font's height wide, and digits are its widest characters in a number or date.
double larguraDoValor(const ItemPagina& item) {
    return item.texto.size() * 0.556 * item.fonte.alturaPixels + 6;
}

// A sheet name may not hold []:*?/\ and is at most 31 characters long.
QString nomePlanilha(const QString& titulo) {
    QString nome;
    for (QChar c : titulo) {
        if (!QStringLiteral("[]:*?/\\").contains(c))
            nome += c;
    }
    nome = nome.trimmed().left(31);
    return nome.isEmpty() ? QStringLiteral("Relatório") : nome;
}

class Planilha {
public:
    explicit Planilha(const QString& caminho) : m_livro(workbook_new(QFile::encodeName(caminho).constData())) {
        if (!m_livro)
            throw Erro(QStringLiteral("Não foi possível criar a planilha."));
    }
    ~Planilha() {
        if (m_livro)
            workbook_close(m_livro);
    }

    void escrever(const RelatorioPreparado& relatorio) {
        const QByteArray titulo = relatorio.titulo.toUtf8();
        lxw_doc_properties propriedades{};
        propriedades.title = const_cast<char*>(titulo.constData());
        propriedades.author = const_cast<char*>(kNomePrograma);
        propriedades.company = const_cast<char*>(kNomePrograma);
        verificar(workbook_set_properties(m_livro, &propriedades));

        const QByteArray nome = nomePlanilha(relatorio.titulo).toUtf8();
        m_folha = workbook_add_worksheet(m_livro, nome.constData());
        if (!m_folha)
            throw Erro(QStringLiteral("Não foi possível criar a planilha."));
        worksheet_set_paper(m_folha, 9);  // A4
        worksheet_set_portrait(m_folha);
        const double margem = polegadas(relatorio.margemMm);
        worksheet_set_margins(m_folha, margem, margem, margem, margem);

        const Grade grade = MontarGrade(relatorio);
        m_colunas = int(grade.larguras.size());
        const QList<double> larguras = largurasDasColunas(grade);
        double total = 0;
        for (int c = 0; c < m_colunas; ++c) {
            verificar(worksheet_set_column(m_folha, lxw_col_t(c), lxw_col_t(c), larguraExcel(larguras[c]), nullptr));
            total += larguras[c];
        }
        // The report's page breaks stay, so the sheet cannot be fitted to the page width by the
        // office suite; it is scaled to fit instead. Office suites draw columns up to a tenth
        // wider than Excel's own width formula, hence the spare room.
        const double util = (relatorio.papelMm.width() - 2 * relatorio.margemMm) * kUnidadesPorMm;
        worksheet_set_print_scale(m_folha, uint16_t(std::clamp(int(100 * 0.9 * util / total), 10, 100)));

        // Each report page starts on a new printed page, with its headers, as in the report
        // (up to the 1023 manual breaks a sheet can hold; later pages still carry their headers).
        std::vector<lxw_row_t> quebras;
        for (const QList<LinhaGrade>& pagina : grade.paginas) {
            if (m_linha > 0 && quebras.size() < LXW_BREAKS_MAX)
                quebras.push_back(m_linha);
            for (const LinhaGrade& linha : pagina)
                escreverLinha(linha);
        }
        if (!quebras.empty()) {
            quebras.push_back(0);
            verificar(worksheet_set_h_pagebreaks(m_folha, quebras.data()));
        }
    }

    // Writes the file; the first error met on the way, if any, is raised here.
    void fechar() {
        const lxw_error erro = workbook_close(m_livro);
        m_livro = nullptr;
        verificar(erro);
        if (m_erro != LXW_NO_ERROR)
            throw Erro(QStringLiteral("Erro ao gerar a planilha: %1").arg(QString::fromUtf8(lxw_strerror(m_erro))));
    }

private:
    using Chave = std::tuple<bool, int, int, QString, bool, bool>;

    QList<double> largurasDasColunas(const Grade& grade) const {
        QList<double> larguras = grade.larguras;
        for (const QList<LinhaGrade>& pagina : grade.paginas) {
            for (const LinhaGrade& linha : pagina) {
                for (const CelulaGrade& celula : linha.celulas) {
                    if (celula.primeira == celula.ultima && classificar(celula.item).tipo != ValorCelula::Tipo::Texto)
                        larguras[celula.primeira] = std::max(larguras[celula.primeira], larguraDoValor(celula.item));
                }
            }
        }
        return larguras;
    }

    void verificar(lxw_error erro) {
        if (erro != LXW_NO_ERROR && m_erro == LXW_NO_ERROR)
            m_erro = erro;
    }

    lxw_format* formato(const ItemPagina* item, const QString& numero, const LinhaGrade& linha) {
        const Chave chave{item && item->fonte.negrito, item ? item->fonte.alturaPixels : 0,
                          item ? int(item->alinhamento) : 0, numero, linha.regraAcima, linha.regraAbaixo};
        auto [it, novo] = m_formatos.try_emplace(chave, nullptr);
        if (!novo)
            return it->second;
        lxw_format* f = workbook_add_format(m_livro);
        if (item) {
            format_set_font_name(f, "Arial");
            format_set_font_size(f, std::round(item->fonte.alturaPixels * kPontosPorUnidade));
            if (item->fonte.negrito)
                format_set_bold(f);
            const Qt::Alignment a = item->alinhamento;
            format_set_align(f, a & Qt::AlignRight     ? LXW_ALIGN_RIGHT
                                : a & Qt::AlignHCenter ? LXW_ALIGN_CENTER
                                                       : LXW_ALIGN_LEFT);
            format_set_align(f, a & Qt::AlignVCenter ? LXW_ALIGN_VERTICAL_CENTER : LXW_ALIGN_VERTICAL_TOP);
            format_set_text_wrap(f);
        }
        if (!numero.isEmpty())
            format_set_num_format(f, numero.toUtf8().constData());
        if (linha.regraAcima)
            format_set_top(f, LXW_BORDER_THIN);
        if (linha.regraAbaixo)
            format_set_bottom(f, LXW_BORDER_THIN);
        it->second = f;
        return f;
    }

    void escreverLinha(const LinhaGrade& linha) {
        verificar(worksheet_set_row(m_folha, m_linha, linha.altura * kPontosPorUnidade, nullptr));
        QList<bool> ocupadas(m_colunas, false);
        for (const CelulaGrade& celula : linha.celulas) {
            escreverCelula(celula, linha);
            for (int c = celula.primeira; c <= celula.ultima; ++c)
                ocupadas[c] = true;
        }
        // A rule runs across the whole row, empty cells included.
        if (linha.regraAcima || linha.regraAbaixo) {
            for (int c = 0; c < m_colunas; ++c) {
                if (!ocupadas[c])
                    verificar(worksheet_write_blank(m_folha, m_linha, lxw_col_t(c), formato(nullptr, {}, linha)));
            }
        }
        ++m_linha;
    }

    void escreverCelula(const CelulaGrade& celula, const LinhaGrade& linha) {
        const ItemPagina& item = celula.item;
        const lxw_col_t coluna = lxw_col_t(celula.primeira);
        const ValorCelula valor = classificar(item);
        lxw_format* f = formato(&item, valor.formato, linha);

        if (celula.ultima > celula.primeira)
            verificar(worksheet_merge_range(m_folha, m_linha, coluna, m_linha, lxw_col_t(celula.ultima), "", f));
        switch (valor.tipo) {
        case ValorCelula::Tipo::Numero:
            verificar(worksheet_write_number(m_folha, m_linha, coluna, valor.numero, f));
            break;
        case ValorCelula::Tipo::Data: {
            const QDate d = valor.data.date();
            const QTime t = valor.data.time();
            lxw_datetime data{d.year(), d.month(), d.day(), t.hour(), t.minute(), double(t.second())};
            verificar(worksheet_write_datetime(m_folha, m_linha, coluna, &data, f));
            break;
        }
        case ValorCelula::Tipo::Texto:
            if (!item.texto.isEmpty())
                verificar(worksheet_write_string(m_folha, m_linha, coluna, item.texto.toUtf8().constData(), f));
            else if (celula.ultima == celula.primeira)
                verificar(worksheet_write_blank(m_folha, m_linha, coluna, f));
            break;
        }
    }

    lxw_workbook* m_livro;
    lxw_worksheet* m_folha = nullptr;
    int m_colunas = 0;
    lxw_row_t m_linha = 0;
    lxw_error m_erro = LXW_NO_ERROR;
    std::map<Chave, lxw_format*> m_formatos;
};

}  // namespace

QByteArray GerarXlsx(const RelatorioPreparado& relatorio) {
    // The library writes to a path; the bytes then go to their destination in one piece.
    QTemporaryDir pasta;
    if (!pasta.isValid())
        throw Erro(QStringLiteral("Não foi possível criar uma pasta temporária: %1").arg(pasta.errorString()));
    const QString caminho = pasta.filePath(QStringLiteral("relatorio.xlsx"));
    {
        Planilha planilha(caminho);
        planilha.escrever(relatorio);
        planilha.fechar();
    }
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw Erro(QStringLiteral("Não foi possível ler a planilha gerada: %1").arg(arquivo.errorString()));
    return arquivo.readAll();
}
