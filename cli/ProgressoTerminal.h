#pragma once

#include "IProgresso.h"

// The export run's gauge as one line on standard error, rewritten in place, once per percent.
class ProgressoTerminal : public IProgresso {
public:
    void DefinirMaximo(int maximo) override;
    void DefinirPosicao(int posicao) override;
    void Avancar() override;

private:
    void mostrar();

    int m_maximo = 0;
    int m_posicao = 0;
    int m_percentualMostrado = -1;
};
