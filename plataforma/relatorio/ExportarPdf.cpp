#include "Formatos.h"

#include "Pintor.h"
#include "Relatorio.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

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
    return buffer.data();
}
