// The browser's version block, read back through the program's own file.
#include "platform/core/version_block.h"

BRANNIK_VERSION_BLOCK(
    "FILEVERSION 3.0.1.0\n"
    "PRODUCTVERSION 3.0.1.0\n"
    "TRANSLATION 0405 04E2\n"
    "BLOCK 040504E2\n"
    "CompanyName=Brannik for Linux developers\n"
    "FileDescription=Brannik(tm) HTML Browser\n"
    "FileVersion=3.00.001\n"
    "InternalName=BROWSER\n"
    "LegalCopyright=Brannik for Linux developers\n"
    "OriginalFilename=browser.exe\n"
    "ProductName=Brannik\xAE Shell 3.xx\n"
    "ProductVersion=3.00.001\n"
    "Released=25.10.1999 16:30\n"
    "PrivateBuild=\n"
    "SpecialBuild=\n"
    "Comments=\n"
    "Dependences=\n");
