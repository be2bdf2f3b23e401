# Sets the package code of bitki.msi: Windows Installer takes it to name one exact package, so it
# follows what the package holds, and the same files give the same code.
#   cmake -DMSIBUILD=msibuild -DMSI=bitki.msi -DPROGRAM=bitki.exe -DSOURCE=bitki.wxs -DVERSION=1.00
#         -DPUBLISHER=... -DNAMESPACE=<upgrade code> -P package_code.cmake
file(SHA256 ${PROGRAM} program_hash)
file(SHA256 ${SOURCE} source_hash)
string(UUID package_code NAMESPACE ${NAMESPACE} NAME "package ${VERSION} ${program_hash} ${source_hash}"
    TYPE SHA1 UPPER)
# The summary as wixl wrote it, but for the code and the product's language.
execute_process(
    COMMAND ${MSIBUILD} ${MSI} -s "Битки: викторина по история" ${PUBLISHER} "x64;1026" "{${package_code}}"
    COMMAND_ERROR_IS_FATAL ANY)
