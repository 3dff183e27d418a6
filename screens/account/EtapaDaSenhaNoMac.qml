// The wizard's password step: the vault password with its strength meter, typed again, and
// "Criar meu cofre" once it is strong enough and both match.
import QtQuick
import QtQuick.Layouts
import Corvane.Conta

PassoDaCriacao {
    id: etapa

    required property CriacaoDeConta modelo

    primeiroCampo: campoDaSenha

    TituloDaConta {
        titulo: "Crie sua senha"
        texto: "É ela que abre o seu cofre. Use uma frase que só você saiba. Nem nós conseguimos recuperá-la."
    }

    CampoNoMac {
        id: campoDaSenha

        objectName: "campoDaSenha"
        rotulo: "Senha"
        dica: "Uma frase que só você saiba"
        seguro: true
        texto: etapa.modelo.senha
        onTextoChanged: etapa.modelo.senha = texto
    }

    MedidorDeForcaNoMac {
        objectName: "medidorDeForca"
        Layout.fillWidth: true
        visible: etapa.modelo.senha !== ""
        nivel: etapa.modelo.nivel
    }

    CampoNoMac {
        objectName: "campoDaConfirmacao"
        rotulo: "Repita a senha"
        dica: "A mesma senha"
        seguro: true
        texto: etapa.modelo.confirmacao
        onTextoChanged: etapa.modelo.confirmacao = texto
    }

    MensagemDeErroNoMac {
        objectName: "senhasDiferentes"
        visible: etapa.modelo.senhasDiferentes
        texto: "As duas senhas não estão iguais."
    }

    BotaoPrincipalNoMac {
        objectName: "botaoCriarCofre"
        text: "Criar meu cofre"
        ocupado: etapa.modelo.enviando
        padrao: etapa.atual
        enabled: etapa.modelo.podeCriar
        onClicked: etapa.modelo.criar()
    }
}
