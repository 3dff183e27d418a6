// The extension's controller: turns each of the host's five requests into a mode and a list of
// sites for its fill model, and answers the host through its extension context when the model
// calls back. The silent request is always refused, so nothing is handed over without the user.
#pragma once

#include "autofill/ContextoDaExtensao.h"
#include "autofill/ModeloDoPreenchimento.h"
#include "autofill/protocolo/ProtocoloDoAnfitriao.h"

#include <QObject>

class CredentialProviderViewController : public QObject {
    Q_OBJECT

public:
    // The context must outlive the controller.
    explicit CredentialProviderViewController(ContextoDaExtensao &contexto, QObject *pai = nullptr);

    [[nodiscard]] ModeloDoPreenchimento &modelo() { return modelo_; }

    // Installs the model's four callbacks (before any request reaches the model).
    void carregarVista();

    void prepararListaDeSenhas(const QList<IdentificadorDeServico> &servicos);
    void prepararListaDeCodigos(const QList<IdentificadorDeServico> &servicos);
    void prepararParaFornecer(const IdentidadePedida &identidade);
    void prepararConfiguracao();
    // Always refused with "interaction required" (100); reads nothing.
    void fornecerSemInteracao(const IdentidadePedida &identidade);

    // Routes a parsed request to the method above. True when the request needs the window.
    bool atender(const PedidoDoAnfitriao &pedido);

private:
    ContextoDaExtensao &contexto_;
    ModeloDoPreenchimento modelo_;
};
