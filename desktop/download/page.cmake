# Writes a release folder's download page, the worker that keeps the quiz and that page for use
# offline, and the folder's SHA256SUMS, from the files already in it.
#   SOURCE_DATE_EPOCH=... cmake -DDIST=dist -DVERSION=1.00 -DHOMEPAGE=... -DSIGNED=ON|OFF
#       -DHTML=bitki.html -DMSI=... -DEXE=... -DDEB=... -DBUILDINFO=... -DDEB_SYSTEMS="Debian 12 и 13"
#       -DSITE="bitki.webmanifest;bitki-192.png;bitki-512.png;bitki-maskable.png" -P page.cmake
# The date is the source's: string(TIMESTAMP) takes SOURCE_DATE_EPOCH.

# One file's entry: its link, then its size and SHA-256, or what it is where a text is given.
function(describe variable name)
    if(ARGC GREATER 2)
        set(details "<dd>${ARGV2}</dd>")
    else()
        file(SIZE ${DIST}/${name} bytes)
        file(SHA256 ${DIST}/${name} hash)
        if(bytes LESS 1048576)
            math(EXPR size "(${bytes} + 512) / 1024")
            set(size "${size} КБ")
        else()
            math(EXPR tenths "(${bytes} * 10 + 524288) / 1048576")
            math(EXPR whole "${tenths} / 10")
            math(EXPR tenth "${tenths} % 10")
            set(size "${whole},${tenth} МБ")
        endif()
        # Thousands apart by a no-break space, as Bulgarian writes them.
        string(REGEX REPLACE "([0-9])([0-9][0-9][0-9])$" "\\1 \\2" grouped ${bytes})
        string(REGEX REPLACE "([0-9])([0-9][0-9][0-9]) " "\\1 \\2 " grouped ${grouped})
        set(details "<dd>Размер: ${size} (${grouped} байта)</dd>
<dd>SHA-256: <code class=\"sha\">${hash}</code></dd>")
    endif()
    set(${variable} "<dl class=\"file\">
<dt><a href=\"${name}\" download>${name}</a></dt>
${details}
</dl>" PARENT_SCOPE)
endfunction()

describe(FILE_EXE ${EXE})
describe(FILE_MSI ${MSI})
describe(FILE_HTML ${HTML})
# dpkg's record of this one build carries its date, so its size and hash are not the release's.
describe(FILE_BUILDINFO ${BUILDINFO} "Записът на dpkg: кога и на каква система е построено изданието, точните версии на
инструментите и отпечатъците на файловете по-горе.")
describe(FILE_DEB ${DEB})

set(months януари февруари март април май юни юли август септември октомври ноември декември)
string(TIMESTAMP DATE_ISO "%Y-%m-%d" UTC)
string(TIMESTAMP day "%d" UTC)
string(TIMESTAMP month "%m" UTC)
string(TIMESTAMP year "%Y" UTC)
math(EXPR day "${day}")
math(EXPR month "${month} - 1")
list(GET months ${month} month)
set(DATE_BG "${day} ${month} ${year} г.")
if(SIGNED)
    set(SIGNED "Програмата и пакетът са подписани с Authenticode.")
else()
    set(SIGNED "")
endif()

# What a web site's folder needs beside the page for the home screen and for use offline.
list(TRANSFORM SITE REPLACE "(.+)" "<code>\\1</code>" OUTPUT_VARIABLE site_files)
list(APPEND site_files "<code>bitki-worker.js</code>")
list(POP_BACK site_files last)
list(JOIN site_files ", " SITE_FILES)
set(SITE_FILES "${SITE_FILES} и ${last}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/index.html.in ${DIST}/index.html @ONLY)

# The worker holds the hash of every file it keeps, and its caches are named by them all: each
# release's worker differs from the one before, which is how browsers find the new release. The
# folder's address goes into the name where the worker runs.
set(FILES "")
set(separator "")
foreach(name IN ITEMS ${HTML} index.html ${SITE})
    file(SHA256 ${DIST}/${name} hash)
    string(APPEND FILES "${separator}\n  \"${name}\": \"${hash}\"")
    set(separator ",")
endforeach()
set(FILES "{${FILES}\n}")
string(SHA256 RELEASE "${FILES}")
string(SUBSTRING ${RELEASE} 0 16 RELEASE)
set(RELEASE "${VERSION} ${RELEASE}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/bitki-worker.js.in ${DIST}/bitki-worker.js @ONLY)

# What sha256sum -c reads, for every file of the folder but the build's record: the hash, two
# blanks, the name.
file(GLOB names RELATIVE ${DIST} ${DIST}/*)
list(REMOVE_ITEM names SHA256SUMS ${BUILDINFO})
list(SORT names)
set(sums "")
foreach(name IN LISTS names)
    file(SHA256 ${DIST}/${name} hash)
    string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${DIST}/SHA256SUMS "${sums}")
