#include "Pintor.h"

#include "Relatorio.h"

#include <QFont>
#include <QPainter>
#include <QPen>

namespace {

// The inner gap a text keeps from the edges of its box.
constexpr double kFolgaHorizontal = 2.0;
constexpr double kFolgaVertical = 1.0;

QFont fonte(const FonteRelatorio& f) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(f.alturaPixels);
    font.setBold(f.negrito);
    // Unhinted outlines keep the same line breaks at every zoom and in the PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void desenharTexto(QPainter& pintor, const ItemPagina& item) {
    pintor.save();
    pintor.setClipRect(item.caixa, Qt::IntersectClip);
    pintor.setFont(fonte(item.fonte));
    pintor.setPen(Qt::black);
    const QRectF area = item.caixa.adjusted(kFolgaHorizontal, kFolgaVertical, -kFolgaHorizontal, -kFolgaVertical);
    // A trailing blank counts, so a right-aligned "Página 1 de 3 " keeps its gap at the edge.
    // The inner gap only places the text: letters may reach into it, the box alone cuts them.
    pintor.drawText(area, int(item.alinhamento) | Qt::TextWordWrap | Qt::TextIncludeTrailingSpaces | Qt::TextDontClip,
                    item.texto);
    pintor.restore();
}

void desenharRegra(QPainter& pintor, const ItemPagina& item) {
    pintor.save();
    pintor.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap));
    pintor.drawLine(item.caixa.topLeft(), item.caixa.topRight());
    pintor.restore();
}

}  // namespace

void DesenharPagina(QPainter& pintor, const PaginaPreparada& pagina) {
    for (const FaixaPagina& faixa : pagina.faixas) {
        for (const ItemPagina& item : faixa.itens) {
            if (item.tipo == ObjetoRelatorio::Tipo::Regra)
                desenharRegra(pintor, item);
            else
                desenharTexto(pintor, item);
        }
    }
}
