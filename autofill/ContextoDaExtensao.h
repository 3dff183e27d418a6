// Where the extension's controller sends its one answer: the host's pipe in the program, a
// recorder in tests. The stand-in for the system's extension context.
#pragma once

#include <QString>

class ContextoDaExtensao {
public:
    virtual ~ContextoDaExtensao() = default;

    virtual void completarComSenha(const QString &usuario, const QString &senha) = 0;
    virtual void completarComCodigo(const QString &codigo) = 0;
    // `codigo` of the extension error domain: 1 the user cancelled, 100 interaction required.
    virtual void cancelar(int codigo) = 0;
    virtual void concluirConfiguracao() = 0;
};
