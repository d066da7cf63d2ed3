#include "Formatos.h"

#include "Pintor.h"
#include "Relatorio.h"

#include <QBuffer>
#include <QDateTime>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

namespace {

// A PDF text string in UTF-16 big-endian, written in hex so no byte needs escaping.
QByteArray textoPdf(const QString& texto) {
    QByteArray bytes("\xFE\xFF", 2);
    for (QChar c : texto) {
        bytes += char(c.unicode() >> 8);
        bytes += char(c.unicode() & 0xFF);
    }
    return '<' + bytes.toHex().toUpper() + '>';
}

// QPdfWriter has no author or subject. They are added as an incremental update that replaces
// the document information dictionary: the file Qt wrote stays byte for byte in front.
QByteArray comAutorEAssunto(const QByteArray& pdf, const QString& titulo) {
    static const QRegularExpression trailer(QString::fromLatin1(
        R"re(trailer\s*<<(?=[^>]*/Size (\d+))(?=[^>]*/Info (\d+) 0 R)(?=[^>]*/Root (\d+) 0 R)[^>]*>>\s*startxref\s*(\d+)\s*%%EOF\s*$)re"));
    const QRegularExpressionMatch m = trailer.match(QString::fromLatin1(pdf.right(512)));
    if (!m.hasMatch())
        return pdf;  // a writer that changed its layout: the document stays valid, only without them

    const QByteArray programa(kNomePrograma);
    QByteArray resultado = pdf;
    if (!resultado.endsWith('\n'))
        resultado += '\n';
    const qsizetype inicioInfo = resultado.size();
    resultado += m.captured(2).toLatin1() + " 0 obj\n<<\n/Title " + textoPdf(titulo) + "\n/Author " +
                 textoPdf(programa) + "\n/Subject " + textoPdf(QStringLiteral("Relatório gerado pelo ") + programa) +
                 "\n/Creator " + textoPdf(programa) + "\n/Producer " + textoPdf(QStringLiteral("Qt " QT_VERSION_STR)) +
                 "\n/CreationDate (D:" + QDateTime::currentDateTimeUtc().toString("yyyyMMddHHmmss").toLatin1() +
                 "Z)\n>>\nendobj\n";
    const qsizetype inicioXref = resultado.size();
    resultado += "xref\n" + m.captured(2).toLatin1() + " 1\n" + QByteArray::number(inicioInfo).rightJustified(10, '0') +
                 " 00000 n\r\n";
    resultado += "trailer\n<<\n/Size " + m.captured(1).toLatin1() + "\n/Info " + m.captured(2).toLatin1() +
                 " 0 R\n/Root " + m.captured(3).toLatin1() + " 0 R\n/Prev " + m.captured(4).toLatin1() +
                 "\n>>\nstartxref\n" + QByteArray::number(inicioXref) + "\n%%EOF\n";
    return resultado;
}

}  // namespace

QByteArray GerarPdf(const RelatorioPreparado& relatorio) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(relatorio.titulo);
        pdf.setCreator(QString::fromLatin1(kNomePrograma));
        pdf.setPageSize(QPageSize(relatorio.papelMm, QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter pintor(&pdf);
        const double escala = pdf.resolution() / kUnidadesPorPolegada;
        pintor.scale(escala, escala);
        for (int i = 0; i < relatorio.paginas.size(); ++i) {
            if (i > 0)
                pdf.newPage();
            DesenharPagina(pintor, relatorio.paginas[i]);
        }
    }
    return comAutorEAssunto(buffer.data(), relatorio.titulo);
}
