#include "ProgressoTerminal.h"

#include <QtGlobal>

#include <cstdio>

void ProgressoTerminal::DefinirMaximo(int maximo) {
    m_maximo = maximo;
    m_percentualMostrado = -1;
}

void ProgressoTerminal::DefinirPosicao(int posicao) {
    m_posicao = posicao;
    mostrar();
}

void ProgressoTerminal::Avancar() {
    ++m_posicao;
    mostrar();
}

void ProgressoTerminal::mostrar() {
    const int percentual = m_maximo > 0 ? int(qint64(m_posicao) * 100 / m_maximo) : 100;
    if (percentual == m_percentualMostrado) return;
    m_percentualMostrado = percentual;
    std::fprintf(stderr, "\rCupons: %d de %d (%d%%)", m_posicao, m_maximo, percentual);
    if (m_posicao >= m_maximo) std::fputc('\n', stderr);
    std::fflush(stderr);
}
