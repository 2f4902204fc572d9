// Spanish texts.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "La instalación no ha finalizado. Si sale ahora, {DisplayName} no se instalará.\n\n"
                  "¿Desea salir del programa de instalación?"},
    {messages, 1, "Para completar la instalación es necesario reiniciar el equipo\n"
                  "y actualizar así la configuración del sistema.\n\n¿Desea reiniciar el sistema ahora?"},
    {messages, 2, "La carpeta de instalación no es una ruta válida. Escriba una ruta completa\n"
                  "que empiece por una letra de unidad, por ejemplo C:\\Archivos de programa\\{DisplayName}."},
    {messages, 5, "Para completar la instalación es necesario reiniciar el equipo.\n"
                  "Algunos archivos están en uso y solo pueden reemplazarse al reiniciar el sistema.\n\n"
                  "¿Desea reiniciar el sistema ahora?"},
    {messages, 6, "El archivo %s\nestá siendo utilizado por otra aplicación.\n\n"
                  "Cierre esa aplicación y haga clic en Sí para volver a intentarlo, o haga clic en No\n"
                  "para reemplazar el archivo al reiniciar el equipo."},
    {messages, 8, "La instalación está en curso. Si sale ahora, es posible que {DisplayName}\n"
                  "no quede instalado correctamente.\n\n¿Desea salir del programa de instalación?"},
    {messages, 9, "La instalación ha finalizado con errores. Es posible que algunas partes de {DisplayName}\n"
                  "no funcionen correctamente."},
    {messages, 10, "Debe reiniciar el equipo antes de poder utilizar %s."},
    {messages, 11, "Necesita privilegios de administrador para instalar el programa."},
    {messages, 12, "Este programa solo funciona en sistemas con núcleo NT."},
    {messages, 13, "Este programa necesita como mínimo %s para funcionar."},

    {errors, 0, "Error al crear un cuadro de diálogo necesario para la instalación. Saliendo..."},
    {errors, 1, "Error al abrir el archivo existente '%s'  \npara lectura. Acceso denegado. ¿Desea continuar?"},
    {errors, 2, "Permisos insuficientes para abrir el archivo existente '%s'  \npara escritura. ¿Desea continuar?"},
    {errors, 3, "Error al abrir el archivo existente '%s'  \npara lectura y escritura. Acceso denegado. "
                "¿Desea continuar?"},
    {errors, 4, "Error al abrir el archivo existente '%s'  \npara lectura. %s¿Desea continuar?"},
    {errors, 5, "Error al abrir el archivo existente '%s'  \npara escritura. %s¿Desea continuar?"},
    {errors, 6, "Error al abrir el archivo existente '%s'  \npara lectura y escritura. %s¿Desea continuar?"},
    {errors, 7, "Error al crear el archivo '%s'  \npara lectura. Acceso denegado. ¿Desea continuar?"},
    {errors, 8, "Error al crear el archivo '%s' para escritura.  \n"
                "Permisos insuficientes para crear archivos en la carpeta '%s'.  \n¿Desea continuar?"},
    {errors, 9, "Error al crear el archivo '%s'  \npara lectura y escritura. Acceso denegado. ¿Desea continuar?"},
    {errors, 10, "Error al crear el archivo '%s'  \npara lectura. %s¿Desea continuar?"},
    {errors, 11, "Error al crear el archivo '%s'  \npara escritura. %s¿Desea continuar?"},
    {errors, 12, "Error al crear el archivo '%s'  \npara lectura y escritura. %s¿Desea continuar?"},
    {errors, 13, "Error al crear el archivo temporal para el archivo '%s'  \n"
                 "que debe instalarse al reiniciar.  \n%s¿Desea continuar?"},
    {errors, 14, "Error al escribir el archivo '%s'.  \n"
                 "No hay suficiente espacio en la unidad de destino. Para continuar, libere primero  \n"
                 "espacio en la unidad de destino y haga clic en Aceptar. Para salir de la instalación,  \n"
                 "haga clic en Cancelar."},
    {errors, 15, "Error al escribir el archivo '%s'.  \n%s¿Desea continuar?"},
    {errors, 16, "Error al leer el archivo '%s'."},
    {errors, 17, "Error al mover el archivo '%s'."},
    {errors, 18, "Error al obtener los atributos del archivo  \n'%s'."},
    {errors, 19, "Error al establecer los atributos del archivo  \n'%s'."},
    {errors, 20, "Error al obtener el tamaño del archivo  \n'%s'."},
    {errors, 21, "Error al crear la carpeta '%s'. \n%s¿Desea continuar?"},
    {errors, 22, "Error al crear la asignación en memoria del archivo  \n'%s'."},
    {errors, 23, "Error al proyectar la vista del archivo  \n'%s'."},
    {errors, 24, "Error al crear la clave del registro '%s'.  \n%s¿Desea continuar?"},
    {errors, 25, "Error al crear el valor del registro '%s' en la clave '%s'.  \n%s¿Desea continuar?"},
    {errors, 26, "Privilegios insuficientes para realizar los cambios necesarios en el registro. "
                 "¿Desea continuar con la instalación?"},
    {errors, 27, "Error al crear el acceso directo '%s'.  \n¿Desea continuar?"},
    {errors, 28, ": se produjo un error al registrar este componente. ¿Desea continuar con la instalación?"},
    {errors, 29, "Se produjo un error al intentar reiniciar el sistema. Reinicie el equipo manualmente."},
    {errors, 30, "Error al crear la asociación para '%s'. ¿Desea continuar?"},
    {errors, 31, "La unidad de destino no existe."},
    {errors, 32, "Permisos insuficientes para crear archivos en la carpeta especificada.  \n"
                 "No puede instalar la aplicación en esa carpeta."},
    {errors, 33, "Permisos insuficientes para crear subcarpetas en la carpeta '%s'.  \n"
                 "No puede instalar la aplicación en la carpeta especificada."},
    {errors, 34, "Permisos insuficientes para acceder a la unidad de destino."},
    {errors, 35, "Error al crear la carpeta '%s'. \n"
                 "Permisos insuficientes para crear subcarpetas en la carpeta '%s'. \n¿Desea continuar?"},
    {errors, 36, "Error al crear la carpeta '%s'. \nSe denegó el acceso a la carpeta '%s'. \n¿Desea continuar?"},
    {errors, 37, "Error al crear la carpeta '%s'. \nSe denegó el acceso a la unidad de destino. \n"
                 "¿Desea continuar?"},
    {errors, 38, "Error al crear la carpeta '%s'. \n"
                 "Permisos insuficientes para crear carpetas en la unidad de destino. \n¿Desea continuar?"},
    {errors, 39, "No hay suficiente espacio libre en la unidad de destino."},

    {buttons, 0, "< &Atrás"},
    {buttons, 1, "&Siguiente >"},
    {buttons, 2, "Cancelar"},
    {buttons, 3, "&Instalar"},
    {buttons, 4, "&Salir"},
    {buttons, 5, "&Sí"},
    {buttons, 6, "&No"},
    {buttons, 7, "&Examinar..."},
    {buttons, 8, "&Finalizar"},
    {buttons, 9, "&Extraer"},
    {buttons, 10, "Aceptar"},

    {language, 0, "Instalación de {DisplayName}"},
    {language, 1, "Seleccione el idioma"},
    {language, 2, "Seleccione el idioma de la instalación en la lista siguiente."},
    {language, 3, "&Idioma:"},

    {welcome, 0, "Instalación de {DisplayName}"},
    {welcome, 1, "Bienvenido a la instalación de {DisplayName}"},
    {welcome, 2, "Este programa instalará {DisplayName} en su equipo."},
    {welcome, 3, "Se recomienda encarecidamente cerrar todos los programas de Windows antes de ejecutar este "
                 "programa de instalación."},
    {welcome, 4, "ADVERTENCIA: este programa está protegido por las leyes de derechos de autor y los tratados "
                 "internacionales."},
    {welcome, 5, "La reproducción o distribución no autorizadas de este programa, o de cualquier parte del "
                 "mismo, pueden dar lugar a graves sanciones civiles y penales, y serán perseguidas con todo "
                 "el rigor que permita la ley."},
    {welcome, 6, "Haga clic en Siguiente para continuar, o en Cancelar para salir de la instalación."},
    {welcome, 7, "Bienvenido a la instalación de {DisplayName}"},

    {licence, 0, "Instalación de {DisplayName}"},
    {licence, 1, "Contrato de licencia"},
    {licence, 2, "Lea atentamente el siguiente &contrato de licencia."},
    {licence, 3, "¿Acepta todos los términos del contrato de licencia anterior?"},

    {readme, 0, "Instalación de {DisplayName}"},
    {readme, 1, "Información importante"},
    {readme, 2, "Lea la siguiente &información importante antes de continuar."},

    {destination, 0, "Instalación de {DisplayName}"},
    {destination, 1, "Seleccione la carpeta de destino"},
    {destination, 2, "{DisplayName} se instalará en la carpeta siguiente. Para instalarlo en otra carpeta, "
                     "haga clic en Examinar y seleccione otra carpeta."},
    {destination, 3, "&Carpeta de destino"},
    {destination, 4, "Seleccione la carpeta en la que se instalará {DisplayName}:"},
    {destination, 5, "Espacio necesario:"},
    {destination, 6, "Espacio libre en el disco %DISK%:"},

    {startMenu, 0, "Instalación de {DisplayName}"},
    {startMenu, 1, "Seleccione la carpeta del menú Inicio"},
    {startMenu, 2, "Los &accesos directos del programa se agregarán a la siguiente carpeta del menú Inicio:"},
    {startMenu, 3, "Crear el &grupo de programas"},
    {startMenu, 4, "Crear accesos directos en el &escritorio"},
    {startMenu, 5, "Crear accesos directos en la barra de Inicio &rápido"},

    {ready, 0, "Instalación de {DisplayName}"},
    {ready, 1, "Listo para instalar"},
    {ready, 2, "El programa de instalación está listo para instalar {DisplayName} en su equipo."},
    {ready, 3, "Haga clic en Instalar para comenzar la instalación, o en Atrás si desea revisar o cambiar la "
               "configuración."},

    {installing, 0, "Instalación de {DisplayName}"},
    {installing, 1, "Instalando"},
    {installing, 2, "Espere mientras se instala {DisplayName} en su equipo."},
    {installing, 3, "Si desea interrumpir la instalación, haga clic en Cancelar."},
    {installing, 4, "Extrayendo archivos..."},
    {installing, 5, "Creando accesos directos..."},
    {installing, 6, "Escribiendo entradas del registro..."},
    {installing, 7, "Actualizando archivos INI..."},
    {installing, 8, "Registrando asociaciones de archivos..."},
    {installing, 13, "Finalizando la instalación..."},

    {finish, 0, "Instalación de {DisplayName}"},
    {finish, 1, "Instalación completada"},
    {finish, 2, "{DisplayName} se ha instalado en su equipo."},
    {finish, 3, "Haga clic en Finalizar para salir de la instalación."},
    {finish, 4, "&Ejecutar {DisplayName} ahora"},
    {finish, 5, "&Ver el archivo Léame"},
    {finish, 6, "&Sí, reiniciar el equipo ahora"},
    {finish, 7, "Se produjeron errores durante la instalación. Es posible que {DisplayName} no funcione "
                "correctamente."},
    {finish, 8, "Guarde su trabajo y cierre todos los programas antes de que se reinicie el equipo."},
    {finish, 9, "{DisplayName} se ha instalado, pero algunos archivos estaban en uso y se reemplazarán al "
                "reiniciar el equipo. Debe reiniciar el equipo antes de utilizar el programa."},
    {finish, 10, "Para completar la instalación de {DisplayName}, es necesario reiniciar el equipo."},

    {uninstaller, 0, "Desinstalación de {ProductName}"},
    {uninstaller, 1, "Eliminación de la aplicación"},
    {uninstaller, 2, "Espere mientras se elimina {DisplayName} de su equipo."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kSpanishTexts = {10, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
