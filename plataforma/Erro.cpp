#include "Erro.h"

#include <utility>

Erro::Erro(QString texto) : m_texto(std::move(texto)), m_utf8(m_texto.toUtf8()) {}
