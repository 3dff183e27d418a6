#include "autofill/CredentialProviderViewController.h"

#include <QPointer>
#include <QThread>

CredentialProviderViewController::CredentialProviderViewController(ContextoDaExtensao &contexto, QObject *pai)
    : QObject(pai), contexto_(contexto)
{
}

void CredentialProviderViewController::carregarVista()
{
    Q_ASSERT(QThread::currentThread() == thread());
    // Each callback holds the controller weakly: once it is gone, a late callback does nothing.
    const QPointer<CredentialProviderViewController> eu(this);
    modelo_.definirAoEscolherSenha([eu](const QString &usuario, const QString &senha) {
        if (eu)
            eu->contexto_.completarComSenha(usuario, senha);
    });
    modelo_.definirAoEscolherCodigo([eu](const QString &codigo) {
        if (eu)
            eu->contexto_.completarComCodigo(codigo);
    });
    modelo_.definirAoCancelar([eu] {
        if (eu)
            eu->contexto_.cancelar(RespostaDaExtensao::usuarioCancelou);
    });
    modelo_.definirAoConcluirConfiguracao([eu] {
        if (eu)
            eu->contexto_.concluirConfiguracao();
    });
}

void CredentialProviderViewController::prepararListaDeSenhas(const QList<IdentificadorDeServico> &servicos)
{
    modelo_.preparar(ModoDoPreenchimento::senhas(), servicos);
}

void CredentialProviderViewController::prepararListaDeCodigos(const QList<IdentificadorDeServico> &servicos)
{
    modelo_.preparar(ModoDoPreenchimento::codigos(), servicos);
}

void CredentialProviderViewController::prepararParaFornecer(const IdentidadePedida &identidade)
{
    // One-time-code requests are always available here (the platform gate is always met).
    modelo_.preparar(ModoDoPreenchimento::direto(identidade.registro, identidade.codigo), {identidade.servico});
}

void CredentialProviderViewController::prepararConfiguracao()
{
    modelo_.preparar(ModoDoPreenchimento::configuracao(), {});
}

void CredentialProviderViewController::fornecerSemInteracao(const IdentidadePedida &)
{
    contexto_.cancelar(RespostaDaExtensao::interacaoNecessaria);
}

bool CredentialProviderViewController::atender(const PedidoDoAnfitriao &pedido)
{
    switch (pedido.tipo) {
    case PedidoDoAnfitriao::Tipo::listarSenhas:
        prepararListaDeSenhas(pedido.servicos);
        return true;
    case PedidoDoAnfitriao::Tipo::listarCodigos:
        prepararListaDeCodigos(pedido.servicos);
        return true;
    case PedidoDoAnfitriao::Tipo::fornecer:
        prepararParaFornecer(pedido.identidade);
        return true;
    case PedidoDoAnfitriao::Tipo::fornecerSemInteracao:
        fornecerSemInteracao(pedido.identidade);
        return false;
    case PedidoDoAnfitriao::Tipo::configurar:
        prepararConfiguracao();
        return true;
    }
    return false;
}
