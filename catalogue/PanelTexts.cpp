#include "catalogue/PanelTexts.h"

namespace catalogue {

const wchar_t kHelpText[] =
    L"AYUDA\r\n"
    L"\r\n"
    L"Elija una categor\u00EDa en la lista superior y luego un programa de la lista de t\u00EDtulos: "
    L"debajo aparece su descripci\u00F3n. El bot\u00F3n Ejecutar inicia el programa directamente desde el CD.\r\n"
    L"\r\n"
    L"Algunos programas no funcionan desde el CD porque necesitan escribir en su propia carpeta. "
    L"Si un programa no se ejecuta correctamente, use el bot\u00F3n Copiar para copiarlo al disco "
    L"r\u00EDgido y ejec\u00FAtelo desde all\u00ED.\r\n"
    L"\r\n"
    L"Si no sabe c\u00F3mo salir de un juego, pruebe estas teclas y combinaciones, en este orden: "
    L"X, Q, Esc, Ctrl+Break, Ctrl+Esc, Ctrl+X, Ctrl+Q, Alt+X, Alt+Q, Alt+Esc, Shift+X, Shift+Q, "
    L"Shift+Esc, Shift+F10, F10, F1. Si ninguna da resultado, como \u00FAltimo recurso presione "
    L"Ctrl+Alt+Supr y cierre el programa desde la lista de tareas.\r\n"
    L"\r\n"
    L"Si un programa indica que no tiene memoria suficiente, cierre todas las aplicaciones abiertas "
    L"y vuelva a intentarlo. Los programas para DOS que a\u00FAn as\u00ED no arrancan pueden necesitar "
    L"m\u00E1s memoria convencional: inicie el equipo con un disquete de sistema (sin controladores ni "
    L"programas residentes en memoria) y ejecute el programa desde la unidad de CD.\r\n"
    L"\r\n"
    L"Lea siempre la descripci\u00F3n de cada programa: all\u00ED se indican sus requisitos y las "
    L"instrucciones de instalaci\u00F3n que le d\u00E1 su autor.";

const wchar_t kSharewareText[] =
    L"\u00BFQU\u00C9 ES EL SHAREWARE?\r\n"
    L"\r\n"
    L"Todos los programas de este CD son Shareware. El Shareware es un sistema de distribuci\u00F3n: "
    L"el autor le permite probar su programa gratuitamente durante un tiempo antes de comprarlo. "
    L"Si despu\u00E9s de probarlo decide seguir us\u00E1ndolo, debe registrarse con el autor pagando "
    L"el importe que \u00E9l indica. Al registrarse recibir\u00E1 la versi\u00F3n completa, el manual y "
    L"el apoyo t\u00E9cnico del autor, y contribuir\u00E1 a que siga desarrollando buenos programas.\r\n"
    L"\r\n"
    L"Las instrucciones para registrarse se encuentran en los archivos de cada programa "
    L"(normalmente LEAME.TXT, README.TXT, ORDER.FRM o REGISTER.TXT) o dentro del mismo programa.\r\n"
    L"\r\n"
    L"Garant\u00EDa: si alguno de los programas de este CD est\u00E1 defectuoso, le enviaremos una "
    L"copia en buen estado sin cargo.\r\n"
    L"\r\n"
    L"Soporte t\u00E9cnico de Quorvel:\r\n"
    L"Correo electr\u00F3nico: info@quorvel.com\r\n"
    L"Internet: www.quorvel.com\r\n"
    L"Tel\u00E9fono y fax: (011) 4555-0192, de lunes a viernes de 10 a 18 horas.";

}  // namespace catalogue
