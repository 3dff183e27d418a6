#include "ModeloDoEditor.h"

#include "api/ErroDaAPI.h"
#include "screens/comum/MensagemDoErro.h"
#include "vault/Cofre.h"

QString aparadoDeEspacos(const QString &texto)
{
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    const auto espaco = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (inicio < fim && espaco(texto.at(inicio)))
        ++inicio;
    while (fim > inicio && espaco(texto.at(fim - 1)))
        --fim;
    return texto.mid(inicio, fim - inicio);
}

void ModeloDoEditor::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    if (conexaoDoEstado_)
        disconnect(conexaoDoEstado_);
    estado_ = estado;
    if (estado_)
        conexaoDoEstado_ = connect(estado_, &EstadoDoApp::cofreMudou, this, &ModeloDoEditor::seguirCofre);
    seguirCofre();
    emit estadoMudou();
}

void ModeloDoEditor::definirItem(const QString &item)
{
    if (item_ == item)
        return;
    item_ = item;
    revisaoCarregada_.reset();
    emit itemMudou();
    emit existenteMudou();
}

void ModeloDoEditor::seguirCofre()
{
    if (conexaoDoCofre_)
        disconnect(conexaoDoCofre_);
    if (Cofre *atual = cofre())
        conexaoDoCofre_ = connect(atual, &Cofre::abertosMudou, this, &ModeloDoEditor::existenteMudou);
    emit existenteMudou();
}

std::optional<ItemAberto> ModeloDoEditor::itemExistente() const
{
    Cofre *atual = cofre();
    if (item_.isEmpty() || !atual)
        return std::nullopt;
    std::optional<ItemAberto> aberto = atual->itemAberto(item_);
    if (!aberto || aberto->conteudo.tipo() != tipo())
        return std::nullopt;
    return aberto;
}

void ModeloDoEditor::carregar()
{
    if (const std::optional<ItemAberto> aberto = itemExistente()) {
        revisaoCarregada_ = aberto->revisao;
        substituirDados(aberto->conteudo.json());
        carregado();
    }
}

void ModeloDoEditor::definirValor(const QString &chave, const ValorJSON &valor)
{
    if (const ValorJSON *atual = dados_.valor(chave); atual && *atual == valor)
        return;
    dados_.definir(chave, valor);
    emit dadosMudou();
}

void ModeloDoEditor::substituirDados(ObjetoJSON dados)
{
    dados_ = std::move(dados);
    emit dadosMudou();
}

void ModeloDoEditor::definirSalvando(bool valor)
{
    if (salvando_ == valor)
        return;
    salvando_ = valor;
    emit salvandoMudou();
}

void ModeloDoEditor::definirErro(const QString &valor)
{
    if (erro_ == valor)
        return;
    erro_ = valor;
    emit erroMudou();
}

void ModeloDoEditor::mostrarAviso(const QString &texto) const
{
    if (estado_)
        estado_->avisos()->mostrar(texto, QString::fromLatin1(simboloDeSucesso));
}

QString ModeloDoEditor::mensagemDaFalha(const std::exception &erro) const
{
    return mensagemDoErro(erro);
}

void ModeloDoEditor::fechar()
{
    if (estado_)
        estado_->fecharEdicao();
}

void ModeloDoEditor::cancelar()
{
    if (!salvando_)
        fechar();
}

void ModeloDoEditor::salvar()
{
    // Detached: the task holds the editor weakly and outlives the call.
    [](QPointer<ModeloDoEditor> editor) -> QCoro::Task<> {
        if (editor)
            co_await editor->salvarAgora();
    }(this);
}

void ModeloDoEditor::apagar()
{
    [](QPointer<ModeloDoEditor> editor) -> QCoro::Task<> {
        if (editor)
            co_await editor->apagarAgora();
    }(this);
}

QCoro::Task<> ModeloDoEditor::salvarAgora()
{
    // Return cannot start a second save while one runs, nor a save of fields that cannot be.
    if (salvando_ || !podeSalvar())
        co_return;
    QPointer<ModeloDoEditor> vivo(this);
    QPointer<Cofre> loja(cofre());
    definirSalvando(true);
    definirErro(QString());
    ObjetoJSON copia = dados_;
    const TipoDeItem caso = tipo();
    QString falha;
    try {
        prepararParaSalvar(copia);
        if (!loja)
            throw ErroDeCancelamento();
        // Named, not built inside the awaited call: GCC 12 destroys temporaries of a conditional
        // expression twice when they sit in a co_await's full-expression.
        std::optional<QString> id;
        std::optional<qint64> revisao;
        if (const std::optional<ItemAberto> atual = itemExistente()) {
            id = atual->id;
            revisao = revisaoCarregada_.value_or(atual->revisao);
        }
        co_await loja->guardar(std::move(id), std::move(copia), caso, revisao);
    } catch (const std::exception &erro) {
        if (!vivo)
            co_return;
        falha = mensagemDaFalha(erro);
    }
    if (!vivo)
        co_return;
    if (!falha.isEmpty()) {
        definirErro(falha);
        definirSalvando(false);
        co_return;
    }
    const bool salvo = !item_.isEmpty() && loja && loja->itemAberto(item_);
    mostrarAviso(salvo ? textoSalvo() : textoAdicionado());
    fechar();
    if (vivo)
        definirSalvando(false);
}

QString ModeloDoEditor::tituloParaApagar() const
{
    const std::optional<ItemAberto> atual = itemExistente();
    return atual ? atual->titulo() : QString();
}

QCoro::Task<> ModeloDoEditor::apagarAgora()
{
    const std::optional<ItemAberto> atual = itemExistente();
    QPointer<Cofre> loja(cofre());
    if (!atual || !loja)
        co_return;
    QPointer<ModeloDoEditor> vivo(this);
    QString falha;
    try {
        co_await loja->apagar(atual->id, atual->revisao);
    } catch (const std::exception &erro) {
        if (!vivo)
            co_return;
        falha = mensagemDoErro(erro);
    }
    if (!vivo)
        co_return;
    if (!falha.isEmpty()) {
        definirErro(falha);
        co_return;
    }
    mostrarAviso(textoApagado());
    fechar();
}
