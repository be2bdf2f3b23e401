# Signs a Windows program or package with Authenticode (SHA-256), dated at the source's time, so
# that a signed release is made again to the byte; a timestamp server only when one is given.
#   cmake -DOSSLSIGNCODE=osslsigncode -DPFX=c.pfx -DPASSWORD_FILE=pw -DNAME=... -DURL=...
#         [-DTIME=unix seconds] [-DTIMESTAMP_URL=...] -DIN=file -DOUT=file -P sign.cmake
set(options -pkcs12 ${PFX} -readpass ${PASSWORD_FILE} -n ${NAME} -i ${URL} -h sha256)
if(TIME)
    list(APPEND options -time ${TIME})
endif()
if(TIMESTAMP_URL)
    list(APPEND options -t ${TIMESTAMP_URL})
endif()
# osslsigncode writes a new file; the result takes the place of the old one only when whole.
file(REMOVE ${OUT}.signing)
execute_process(COMMAND ${OSSLSIGNCODE} sign ${options} -in ${IN} -out ${OUT}.signing
    RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(failed)
    file(REMOVE ${OUT}.signing)
    message(FATAL_ERROR "could not sign ${IN} with ${PFX}:\n${said}")
endif()
file(RENAME ${OUT}.signing ${OUT})
