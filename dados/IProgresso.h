#pragma once

// The progress gauge as the export run sees it; the main window hands in its bar, the command
// line a terminal counter, tests a recorder. Keeps the engine free of widgets.
class IProgresso {
public:
    virtual ~IProgresso() = default;
    virtual void DefinirMaximo(int maximo) = 0;
    virtual void DefinirPosicao(int posicao) = 0;
    virtual void Avancar() = 0;  // position + 1
};
