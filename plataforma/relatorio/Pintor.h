#pragma once

class QPainter;
struct PaginaPreparada;

// Draws the page's objects with the painter's coordinates in report units (1/96 inch) from the
// paper's top-left corner; the caller scales and translates for its device and fills the paper.
// The preview, the PDF export and the tests all draw through here.
void DesenharPagina(QPainter& pintor, const PaginaPreparada& pagina);
