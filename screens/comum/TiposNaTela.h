// The objects of the libraries below the frame, as the views see them: the central state, the
// toast centre and the vault store are QML types here (created only in C++), so the views can
// declare them as typed properties; the libraries themselves stay free of QML.
#pragma once

#include "api/Respostas.h"
#include "servicos/CentralDeAvisos.h"
#include "state/EstadoDoApp.h"
#include "vault/Cofre.h"

#include <QString>
#include <QtQml/qqml.h>
#include <QtQml/qqmlregistration.h>

struct EstadoDoAppNaTela {
    Q_GADGET
    QML_FOREIGN(EstadoDoApp)
    QML_NAMED_ELEMENT(EstadoDoApp)
    QML_UNCREATABLE("The application's state is created by the program.")
};

struct CentralDeAvisosNaTela {
    Q_GADGET
    QML_FOREIGN(CentralDeAvisos)
    QML_NAMED_ELEMENT(CentralDeAvisos)
    QML_UNCREATABLE("The toast centre belongs to the application's state.")
};

struct CofreNaTela {
    Q_GADGET
    QML_FOREIGN(Cofre)
    QML_NAMED_ELEMENT(Cofre)
    QML_UNCREATABLE("A vault store is opened by the application's state.")
};

// The server's answer of an Apple, Google or passkey identification as the account screens hold
// it: carried whole from screen to screen in a `var`, its texts readable from QML.
struct RespostaSocialNaTela {
    Q_GADGET
    Q_PROPERTY(QString situacao READ situacao CONSTANT)
    Q_PROPERTY(QString email READ email CONSTANT)
    // Empty when the provider gave no name.
    Q_PROPERTY(QString nomeSugerido READ nomeSugerido CONSTANT)
public:
    RespostaSocial resposta;

    [[nodiscard]] QString situacao() const { return resposta.situacao; }
    [[nodiscard]] QString email() const { return resposta.email; }
    [[nodiscard]] QString nomeSugerido() const { return resposta.nomeSugerido.value_or(QString()); }

    friend bool operator==(const RespostaSocialNaTela &, const RespostaSocialNaTela &) = default;
};
