// The fill model's readings for the extension's screens: titles, the row's click, and the
// new-password form's save.
#include "autofill/ModeloDoPreenchimento.h"

#include "servicos/TextosDoComputador.h"
#include "core/Aparar.h"
#include "core/GeradorDeSenha.h"

QString ModeloDoPreenchimento::faseNaTela() const
{
    switch (fase_) {
    case Fase::carregando:
        return QStringLiteral("carregando");
    case Fase::semConta:
        return QStringLiteral("semConta");
    case Fase::aberto:
        return QStringLiteral("aberto");
    case Fase::configuracao:
        return QStringLiteral("configuracao");
    }
    return QStringLiteral("carregando");
}

QString ModeloDoPreenchimento::textoSemConta()
{
    return noComputador(u"Abra o Corvane neste Mac e entre na sua conta. Depois as senhas aparecem aqui.");
}

QString ModeloDoPreenchimento::tituloDoCabecalho(bool criando) const
{
    if (criando)
        return tituloAoCriar();
    if (fase_ == Fase::configuracao)
        return QStringLiteral("Corvane");
    return modo_.pedeCodigo() ? QStringLiteral("Escolha o código") : QStringLiteral("Escolha a senha");
}

void ModeloDoPreenchimento::escolherPorId(const QString &id)
{
    for (const OpcaoDePreenchimento &opcao : std::as_const(opcoes_)) {
        if (opcao.id == id) {
            const OpcaoDePreenchimento escolhida = opcao; // the hand-over may end the request
            escolher(escolhida, std::nullopt);
            return;
        }
    }
}

void ModeloDoPreenchimento::cancelar()
{
    if (aoCancelar_)
        aoCancelar_();
}

void ModeloDoPreenchimento::concluirConfiguracao()
{
    if (aoConcluirConfiguracao_)
        aoConcluirConfiguracao_();
}

QString ModeloDoPreenchimento::gerarSenhaForte()
{
    // Fixed options: the extension never reads the application's generator preferences.
    return gerarSenha(OpcoesDeSenha{20, true, true, true, true, true});
}

QString ModeloDoPreenchimento::dicaDoNome() const
{
    return dominios_.isEmpty() ? QStringLiteral("Ex.: Banco") : dominios_.first();
}

bool ModeloDoPreenchimento::salvarEPreencher(const QString &titulo, const QString &usuario, const QString &senha)
{
    QString nome = aparadoDeEspacosETabs(titulo);
    if (nome.isEmpty())
        nome = dominios_.value(0);
    return salvarNovaSenha(nome, aparadoDeEspacosETabs(usuario), senha);
}
