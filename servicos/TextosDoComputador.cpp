#include "servicos/TextosDoComputador.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(categoria, "app.corvane.textos")

QList<TextoAdaptado> montar()
{
    const auto t = [](const char *mac, const char *computador) {
        return TextoAdaptado{QString::fromUtf8(mac), QString::fromUtf8(computador)};
    };
    return {
        // Owner check and biometry.
        t("senha do Mac", "senha do computador"),
        // Application state and watcher.
        t("Protegendo sua senha neste Mac.", "Protegendo sua senha neste computador."),
        t("Este Mac não tem Touch ID nem senha de acesso. O Corvane vai abrir sem bloqueio.",
          "Este computador não tem senha de acesso. O Corvane vai abrir sem bloqueio."),
        t("O cofre também fecha sozinho quando a tela do Mac dorme ou você troca de usuário.",
          "O cofre também fecha sozinho quando a tela do computador dorme ou você troca de usuário."),
        // AutoFill status: card and settings section.
        t("Preencha senhas sozinho no Safari e nos apps", "Preencha senhas sozinho no navegador e nos apps"),
        t("Ligue o Corvane no preenchimento automático do Mac. Na hora de entrar, ele sugere a senha certa, "
          "preenche o código e salva as senhas novas no cofre.",
          "Ligue o Corvane no preenchimento automático do computador. Na hora de entrar, ele sugere a senha "
          "certa, preenche o código e salva as senhas novas no cofre."),
        t("Ligado neste Mac", "Ligado neste computador"),
        t("Abrir ajustes do Mac", "Abrir ajustes do preenchimento"),
        t("Com ele ligado, ao clicar em um campo de senha no Safari, no Chrome ou em um app, escolha o Corvane. "
          "Para guardar uma senha nova, use “Salvar uma senha nova” na mesma janela.",
          "Com ele ligado, ao clicar em um campo de senha no navegador ou em um app, escolha o Corvane. "
          "Para guardar uma senha nova, use “Salvar uma senha nova” na mesma janela."),
        // Signed-out window, sign-in and account creation.
        t("Seus códigos e senhas, cifrados no seu Mac.", "Seus códigos e senhas, cifrados no seu computador."),
        t("Cifrado antes de sair do Mac", "Cifrado antes de sair do computador"),
        t("Entre com a sua conta Apple. Se o Mac pedir, use o Touch ID.",
          "Entre com a sua conta Apple. Se o computador pedir, use a senha do computador."),
        t("Use o e-mail e a senha da sua conta. Depois, o Touch ID abre o cofre neste Mac.",
          "Use o e-mail e a senha da sua conta. Depois, a senha do computador abre o cofre neste computador."),
        t("Se você esquecer a senha, só este código abre o cofre. Guarde fora deste Mac, num lugar seguro.",
          "Se você esquecer a senha, só este código abre o cofre. Guarde fora deste computador, num lugar seguro."),
        t("Os dados deste Mac serão apagados. Seus itens continuam na conta.",
          "Os dados deste computador serão apagados. Seus itens continuam na conta."),
        // Vault window, sections and banners.
        t("Guarde as senhas dos seus sites. O Corvane preenche sozinho no Safari e elas aparecem também no "
          "iPhone e no navegador.",
          "Guarde as senhas dos seus sites. O Corvane preenche sozinho no navegador deste computador e elas "
          "aparecem também no iPhone e no navegador."),
        t("1 senha, preenchida sozinha no Safari e nos apps.", "1 senha, preenchida sozinha no navegador e nos apps."),
        t(" senhas, preenchidas sozinhas no Safari e nos apps.", " senhas, preenchidas sozinhas no navegador e nos apps."),
        t("Senhas de Wi-Fi, documentos e o que mais precisar de sigilo, cifrado antes de sair do Mac.",
          "Senhas de Wi-Fi, documentos e o que mais precisar de sigilo, cifrado antes de sair do computador."),
        t("Sessão encerrada neste Mac", "Sessão encerrada neste computador"),
        t("Sem internet. Mostrando a cópia deste Mac.", "Sem internet. Mostrando a cópia deste computador."),
        t("1 item ainda não abriu neste Mac", "1 item ainda não abriu neste computador"),
        t(" itens ainda não abriram neste Mac", " itens ainda não abriram neste computador"),
        t("O que você salvou em outros aparelhos só aparece aqui depois disso. Seus itens deste Mac continuam aqui.",
          "O que você salvou em outros aparelhos só aparece aqui depois disso. Seus itens deste computador "
          "continuam aqui."),
        // Signing in again through the browser.
        t("Confirme com o Touch ID no Safari", "Confirme com a sua passkey no navegador"),
        t("Confirme com a sua passkey no Safari para o Mac abrir e sincronizar tudo o que está na sua conta.",
          "Confirme com a sua passkey no navegador para o computador abrir e sincronizar tudo o que está na sua "
          "conta."),
        t("Digite a senha do Corvane ou use a passkey para o Mac abrir e sincronizar tudo o que está na sua conta.",
          "Digite a senha do Corvane ou use a passkey para o computador abrir e sincronizar tudo o que está na "
          "sua conta."),
        t("Digite a senha do Corvane uma vez para o Mac abrir tudo o que está na sua conta.",
          "Digite a senha do Corvane uma vez para o computador abrir tudo o que está na sua conta."),
        // Editors and the AutoFill extension.
        t("Com o site, o Safari oferece o código sozinho na hora de entrar.",
          "Com o site, o navegador oferece o código sozinho na hora de entrar."),
        t("Permita o Corvane em Gravação de Tela para ler o QR Code.",
          "Permita que o Corvane capture a tela nas configurações de privacidade para ler o QR Code."),
        t("Abrir Ajustes", "Abrir configurações"),
        t("Abra o Corvane neste Mac e entre na sua conta. Depois as senhas aparecem aqui.",
          "Abra o Corvane neste computador e entre na sua conta. Depois as senhas aparecem aqui."),
    };
}

} // namespace

const QList<TextoAdaptado> &textosAdaptados()
{
    static const QList<TextoAdaptado> tabela = montar();
    return tabela;
}

QString noComputador(QStringView doMac)
{
    for (const TextoAdaptado &texto : textosAdaptados()) {
        if (texto.doMac == doMac)
            return texto.doComputador;
    }
    qCWarning(categoria) << "texto sem adaptação:" << doMac;
    return doMac.toString();
}
