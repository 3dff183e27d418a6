// What the frame's screen tests share: a central state in temporary folders whose phase and
// progress overlay the tests set directly, the update checker over the development server and
// the AutoFill status over a temporary defaults file.
#pragma once

#include "screens/menubar-settings/VerificadorDeAtualizacao.h"
#include "screens/vault/SituacaoDoPreenchimento.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "state/EstadoDoApp.h"
#include "support/DiretorioTemporario.h"
#include "support/quick/TesteQuick.h"

#include <QQmlContext>

#include <memory>

// Reaches the state's private setters, as its own routines would.
class EstadoDoAppNasTelas {
public:
    static void fase(EstadoDoApp &estado, EstadoDoApp::Fase fase) { estado.definirFase(fase); }
    static void trabalhando(EstadoDoApp &estado, const TrabalhoOpcional &trabalho)
    {
        estado.definirTrabalhando(trabalho);
    }
};

class QuadroNaTela : public TesteQuick {
protected:
    // The kit's imports and the frame's modules with the screens' ones it is drawn over.
    static const QString importacoes;

    void SetUp() override;
    void TearDown() override;

    void fase(EstadoDoApp::Fase valor) { EstadoDoAppNasTelas::fase(*estado, valor); }
    void trabalhando(const TrabalhoOpcional &valor) { EstadoDoAppNasTelas::trabalhando(*estado, valor); }
    // A status over this test's defaults file (a restart reads the same file).
    std::unique_ptr<SituacaoDoPreenchimento> novaSituacao();
    // The root view filling a window of `tamanho`, without its start-up work.
    QQuickItem *mostrarRaiz(QSize tamanho = QSize(1040, 680));
    // Publishes `versao` on the development site and runs one update check.
    void publicarEProcurar(const QString &versao);

    std::unique_ptr<DiretorioTemporario> pasta;
    Servidor::ServidorDeDesenvolvimento servidor;
    std::unique_ptr<EstadoDoApp> estado;
    std::unique_ptr<VerificadorDeAtualizacao> atualizacao;
    std::unique_ptr<SituacaoDoPreenchimento> preenchimento;
    QList<QUrl> abertos;
    int pedidosDeLigar = 0;
    int pedidosDeDesligar = 0;
};
