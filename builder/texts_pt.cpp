// Portuguese (Brazil) texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "A instalação não foi concluída. Se você sair agora, {DisplayName} não será instalado.\n\n"
                  "Deseja sair da instalação?"},
    {messages, 1, "Para concluir a instalação, o computador precisa ser reiniciado\n"
                  "para atualizar a configuração do sistema.\n\nReiniciar o sistema agora?"},
    {messages, 2, "A pasta de instalação não é um caminho válido. Digite um caminho completo\n"
                  "que comece com uma letra de unidade, por exemplo C:\\Arquivos de programas\\{DisplayName}."},
    {messages, 5, "Para concluir a instalação, o computador precisa ser reiniciado.\n"
                  "Alguns arquivos estão em uso e só podem ser substituídos na reinicialização do sistema.\n\n"
                  "Reiniciar o sistema agora?"},
    {messages, 6, "O arquivo %s\nestá sendo usado por outro aplicativo.\n\n"
                  "Feche esse aplicativo e clique em Sim para tentar novamente, ou clique em Não\n"
                  "para substituir o arquivo quando o computador for reiniciado."},
    {messages, 8, "A instalação está em andamento. Se você sair agora, {DisplayName}\n"
                  "poderá ficar instalado incorretamente.\n\nDeseja sair da instalação?"},
    {messages, 9, "A instalação foi concluída com erros. Algumas partes de {DisplayName}\n"
                  "podem não funcionar corretamente."},
    {messages, 10, "Você precisa reiniciar o computador antes de usar %s."},
    {messages, 11, "São necessários privilégios de administrador para instalar o programa."},
    {messages, 12, "Este programa funciona somente em sistemas com kernel NT."},
    {messages, 13, "O programa precisa de pelo menos %s para funcionar."},

    {errors, 0, "Erro ao criar uma caixa de diálogo necessária para a instalação. Saindo..."},
    {errors, 1, "Erro ao abrir o arquivo existente '%s'  \npara leitura. Acesso negado. Continuar?"},
    {errors, 2, "Direitos insuficientes para abrir o arquivo existente '%s'  \npara gravação. Continuar?"},
    {errors, 3, "Erro ao abrir o arquivo existente '%s'  \npara leitura e gravação. Acesso negado. Continuar?"},
    {errors, 4, "Erro ao abrir o arquivo existente '%s'  \npara leitura. %sContinuar?"},
    {errors, 5, "Erro ao abrir o arquivo existente '%s'  \npara gravação. %sContinuar?"},
    {errors, 6, "Erro ao abrir o arquivo existente '%s'  \npara leitura e gravação. %sContinuar?"},
    {errors, 7, "Erro ao criar o arquivo '%s'  \npara leitura. Acesso negado. Continuar?"},
    {errors, 8, "Erro ao criar o arquivo '%s' para gravação.  \n"
                "Direitos insuficientes para criar arquivos na pasta '%s'.  \nContinuar?"},
    {errors, 9, "Erro ao criar o arquivo '%s'  \npara leitura e gravação. Acesso negado. Continuar?"},
    {errors, 10, "Erro ao criar o arquivo '%s'  \npara leitura. %sContinuar?"},
    {errors, 11, "Erro ao criar o arquivo '%s'  \npara gravação. %sContinuar?"},
    {errors, 12, "Erro ao criar o arquivo '%s'  \npara leitura e gravação. %sContinuar?"},
    {errors, 13, "Erro ao criar o arquivo temporário para o arquivo '%s'  \n"
                 "que deve ser instalado na reinicialização.  \n%sContinuar?"},
    {errors, 14, "Erro ao gravar o arquivo '%s'.  \n"
                 "Não há espaço suficiente na unidade de destino. Para continuar, libere  \n"
                 "espaço na unidade de destino e clique em OK. Para sair da instalação,  \n"
                 "clique em Cancelar."},
    {errors, 15, "Erro ao gravar o arquivo '%s'.  \n%sContinuar?"},
    {errors, 16, "Erro ao ler o arquivo '%s'."},
    {errors, 17, "Erro ao mover o arquivo '%s'."},
    {errors, 18, "Erro ao obter os atributos do arquivo  \n'%s'."},
    {errors, 19, "Erro ao definir os atributos do arquivo  \n'%s'."},
    {errors, 20, "Erro ao obter o tamanho do arquivo  \n'%s'."},
    {errors, 21, "Erro ao criar a pasta '%s'. \n%sContinuar?"},
    {errors, 22, "Erro ao criar o mapeamento do arquivo  \n'%s'."},
    {errors, 23, "Erro ao mapear na memória o arquivo  \n'%s'."},
    {errors, 24, "Erro ao criar a chave do Registro '%s'.  \n%sContinuar?"},
    {errors, 25, "Erro ao criar o valor do Registro '%s' na chave '%s'.  \n%sContinuar?"},
    {errors, 26, "Privilégios insuficientes para fazer as alterações necessárias no Registro. "
                 "Deseja continuar a instalação?"},
    {errors, 27, "Erro ao criar o atalho '%s'.  \nContinuar?"},
    {errors, 28, ": ocorreu um erro ao registrar este componente. Deseja continuar a instalação?"},
    {errors, 29, "Ocorreu um erro ao tentar reiniciar o sistema. Reinicie o computador manualmente."},
    {errors, 30, "Erro ao criar a associação para '%s'. Continuar?"},
    {errors, 31, "A unidade de destino não existe."},
    {errors, 32, "Direitos insuficientes para criar arquivos na pasta especificada.  \n"
                 "Não é possível instalar o aplicativo nessa pasta."},
    {errors, 33, "Direitos insuficientes para criar subpastas na pasta '%s'.  \n"
                 "Não é possível instalar o aplicativo na pasta especificada."},
    {errors, 34, "Direitos insuficientes para acessar a unidade de destino."},
    {errors, 35, "Erro ao criar a pasta '%s'. \n"
                 "Direitos insuficientes para criar subpastas na pasta '%s'. \nContinuar?"},
    {errors, 36, "Erro ao criar a pasta '%s'. \nAcesso negado à pasta '%s'. \nContinuar?"},
    {errors, 37, "Erro ao criar a pasta '%s'. \nAcesso negado à unidade de destino. \nContinuar?"},
    {errors, 38, "Erro ao criar a pasta '%s'. \n"
                 "Direitos insuficientes para criar pastas na unidade de destino. \nContinuar?"},
    {errors, 39, "Não há espaço livre suficiente na unidade de destino."},

    {buttons, 0, "< &Voltar"},
    {buttons, 1, "&Avançar >"},
    {buttons, 2, "Cancelar"},
    {buttons, 3, "&Instalar"},
    {buttons, 4, "&Sair"},
    {buttons, 5, "&Sim"},
    {buttons, 6, "&Não"},
    {buttons, 7, "&Procurar..."},
    {buttons, 8, "&Concluir"},
    {buttons, 9, "&Extrair"},
    {buttons, 10, "OK"},

    {language, 0, "Instalação do {DisplayName}"},
    {language, 1, "Selecionar idioma"},
    {language, 2, "Selecione na lista abaixo o idioma da instalação."},
    {language, 3, "&Idioma:"},

    {welcome, 0, "Instalação do {DisplayName}"},
    {welcome, 1, "Bem-vindo à instalação do {DisplayName}"},
    {welcome, 2, "Este programa instalará o {DisplayName} no seu computador."},
    {welcome, 3, "É altamente recomendável fechar todos os programas do Windows antes de executar esta "
                 "instalação."},
    {welcome, 4, "AVISO: este programa é protegido por leis de direitos autorais e tratados internacionais."},
    {welcome, 5, "A reprodução ou distribuição não autorizada deste programa, ou de qualquer parte dele, pode "
                 "resultar em severas penalidades civis e criminais, e os infratores serão processados na "
                 "máxima extensão permitida pela lei."},
    {welcome, 6, "Clique em Avançar para continuar ou em Cancelar para sair da instalação."},
    {welcome, 7, "Bem-vindo ao {DisplayName}"},

    {licence, 0, "Instalação do {DisplayName}"},
    {licence, 1, "Contrato de licença"},
    {licence, 2, "Leia atentamente o seguinte contrato de &licença."},
    {licence, 3, "Você aceita todos os termos do contrato de licença acima?"},

    {readme, 0, "Instalação do {DisplayName}"},
    {readme, 1, "Informações importantes"},
    {readme, 2, "Leia as seguintes &informações importantes antes de continuar."},

    {destination, 0, "Instalação do {DisplayName}"},
    {destination, 1, "Escolher a pasta de destino"},
    {destination, 2, "O {DisplayName} será instalado na pasta a seguir. Para instalar em outra pasta, clique "
                     "em Procurar e selecione outra pasta."},
    {destination, 3, "Pasta de &destino"},
    {destination, 4, "Selecione a pasta onde o {DisplayName} será instalado:"},
    {destination, 5, "Espaço necessário:"},
    {destination, 6, "Espaço disponível no disco %DISK%:"},

    {startMenu, 0, "Instalação do {DisplayName}"},
    {startMenu, 1, "Selecionar a pasta do menu Iniciar"},
    {startMenu, 2, "Os &atalhos do programa serão criados na seguinte pasta do menu Iniciar:"},
    {startMenu, 3, "Criar o &grupo de programas"},
    {startMenu, 4, "Criar atalhos na área de &trabalho"},
    {startMenu, 5, "Criar atalhos na barra de &Inicialização rápida"},

    {ready, 0, "Instalação do {DisplayName}"},
    {ready, 1, "Pronto para instalar"},
    {ready, 2, "A instalação está pronta para começar a instalar o {DisplayName} no seu computador."},
    {ready, 3, "Clique em Instalar para continuar a instalação ou em Voltar se quiser revisar ou alterar "
               "alguma configuração."},

    {installing, 0, "Instalação do {DisplayName}"},
    {installing, 1, "Instalando"},
    {installing, 2, "Aguarde enquanto o {DisplayName} é instalado no seu computador."},
    {installing, 3, "Para interromper a instalação, clique em Cancelar."},
    {installing, 4, "Extraindo arquivos..."},
    {installing, 5, "Criando atalhos..."},
    {installing, 6, "Gravando entradas do Registro..."},
    {installing, 7, "Atualizando arquivos INI..."},
    {installing, 8, "Registrando associações de arquivos..."},
    {installing, 13, "Concluindo a instalação..."},

    {finish, 0, "Instalação do {DisplayName}"},
    {finish, 1, "Instalação concluída"},
    {finish, 2, "A instalação do {DisplayName} no seu computador foi concluída."},
    {finish, 3, "Clique em Concluir para sair da instalação."},
    {finish, 4, "&Iniciar o {DisplayName} agora"},
    {finish, 5, "&Exibir o arquivo Leiame"},
    {finish, 6, "&Sim, reiniciar o computador agora"},
    {finish, 7, "Ocorreram erros durante a instalação. O {DisplayName} pode não funcionar corretamente."},
    {finish, 8, "Salve seu trabalho e feche todos os programas antes que o computador seja reiniciado."},
    {finish, 9, "O {DisplayName} foi instalado, mas alguns arquivos estavam em uso e serão substituídos quando "
                "o computador for reiniciado. Você precisa reiniciar o computador antes de usar o programa."},
    {finish, 10, "Para concluir a instalação do {DisplayName}, o computador precisa ser reiniciado."},

    {uninstaller, 0, "Desinstalação do {ProductName}"},
    {uninstaller, 1, "Remoção do aplicativo"},
    {uninstaller, 2, "Aguarde enquanto o {DisplayName} é removido do seu computador."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kPortugueseTexts = {0x16, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
