// The fill model's readings for the extension's screens: titles, the list's sections and notices,
// the rows' live codes, and the new-password form's save.
#include "autofill/ModeloDoPreenchimento.h"

#include "app/servicos/TextosDoComputador.h"
#include "core/Aparar.h"
#include "core/GeradorDeSenha.h"

namespace {

QVariantMap aviso(const QString &simbolo, const QString &titulo, const QString &texto)
{
    return {{QStringLiteral("simbolo"), simbolo}, {QStringLiteral("titulo"), titulo}, {QStringLiteral("texto"), texto}};
}

// What a row needs; the password itself never reaches the screen.
QVariantList linhas(const QList<OpcaoDePreenchimento> &opcoes)
{
    QVariantList resultado;
    resultado.reserve(opcoes.size());
    for (const OpcaoDePreenchimento &opcao : opcoes)
        resultado.append(QVariantMap{{QStringLiteral("id"), opcao.id},
                                     {QStringLiteral("titulo"), opcao.titulo},
                                     {QStringLiteral("usuario"), opcao.usuario},
                                     {QStringLiteral("dominios"), QStringList(opcao.dominios)}});
    return resultado;
}

} // namespace

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

QVariantMap ModeloDoPreenchimento::lista(const QString &busca) const
{
    const Filtradas filtradas = opcoesFiltradas(busca);
    const bool deCodigo = modo_.pedeCodigo();
    const QString primeiro = primeiroDominio();
    QVariantMap resultado{{QStringLiteral("casam"), linhas(filtradas.casam)},
                          {QStringLiteral("outras"), linhas(filtradas.outras)}};

    resultado[QStringLiteral("cabecalhoDeCasam")] =
        filtradas.casam.isEmpty() ? QString() : (QStringLiteral("Para ") + primeiro).toUpper();
    QString cabecalhoDeOutras;
    if (!filtradas.outras.isEmpty())
        cabecalhoDeOutras = !filtradas.casam.isEmpty() ? QStringLiteral("Outras")
                            : deCodigo                 ? QStringLiteral("Seus códigos")
                                                       : QStringLiteral("Suas senhas");
    resultado[QStringLiteral("cabecalhoDeOutras")] = cabecalhoDeOutras.toUpper();
    const bool comDica = deCodigo && filtradas.casam.isEmpty() && !filtradas.outras.isEmpty() && !dominios_.isEmpty();
    resultado[QStringLiteral("dica")] =
        comDica ? QStringLiteral("Escolha o código de %1. Da próxima vez ele aparece sozinho.").arg(primeiro)
                : QString();

    QVariant notice;
    if (filtradas.casam.isEmpty() && filtradas.outras.isEmpty()) {
        if (!busca.isEmpty())
            notice = aviso(QStringLiteral("magnifyingglass"), QStringLiteral("Nada encontrado"),
                           QStringLiteral("Nenhum item com \u201C%1\u201D.").arg(busca));
        else if (deCodigo)
            notice = aviso(QStringLiteral("circle.grid.3x3"), QStringLiteral("Nenhum código"),
                           QStringLiteral("Adicione códigos pelo app Corvane."));
        else
            notice = aviso(QStringLiteral("key"), QStringLiteral("Nenhuma senha salva"),
                           QStringLiteral("Salve a primeira senha deste site agora."));
    }
    resultado[QStringLiteral("aviso")] = notice;
    resultado[QStringLiteral("rodape")] =
        deCodigo ? QString()
                 : (dominios_.isEmpty() ? QStringLiteral("Salvar uma senha nova")
                                        : QStringLiteral("Salvar uma senha nova para ") + primeiro);
    resultado[QStringLiteral("dicaDaLinha")] =
        deCodigo ? QStringLiteral("Preencher este código") : QStringLiteral("Preencher esta senha");
    return resultado;
}

QString ModeloDoPreenchimento::codigoNaLinha(const QString &id, const QDateTime &agora) const
{
    if (!modo_.pedeCodigo())
        return {};
    for (const OpcaoDePreenchimento &opcao : opcoes_) {
        if (opcao.id != id)
            continue;
        if (!opcao.codigo)
            return {};
        try {
            return Totp::formatarParaExibir(opcao.codigo->codigo(agora));
        } catch (const ErroDeCripto &) {
            return {};
        }
    }
    return {};
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
