# Authenticode signing of the Windows programs and the installer, with
# Debian's osslsigncode, when the environment gives a code-signing
# certificate; without one, nothing is signed. Included by cpack's scripts.
#
#   RECLAUNCH_SIGN_PKCS12     a PKCS#12 file holding the certificate and its key
#   RECLAUNCH_SIGN_CERT       or the certificate (with its chain) as PEM ...
#   RECLAUNCH_SIGN_KEY        ... and its private key as PEM
#   RECLAUNCH_SIGN_PASSWORD   the PKCS#12 file's or the key's password, if any
#   RECLAUNCH_SIGN_TIMESTAMP  an RFC 3161 timestamp server's URL, if any
#
# Or, to show that a signed release was built from the sources:
#
#   RECLAUNCH_SIGNATURES_FROM a folder of the release's signed files, by name
#                             (its MSI, the programs out of its ZIP)
#
#   RECLAUNCH_SIGNATURES_CA   the certificate authorities to check them with
#                             (PEM), if not the system's
#
# Each file then takes the signature of its namesake there instead of a new
# one, which must verify on it; a rebuild of the same commit is then the
# release, byte for byte.
#
# The password reaches osslsigncode in a file only its owner can read, never
# on a command line, which any user could list.

function(reclaunch_signing_wanted out)
  if(DEFINED ENV{RECLAUNCH_SIGN_PKCS12} OR DEFINED ENV{RECLAUNCH_SIGN_CERT}
     OR DEFINED ENV{RECLAUNCH_SIGNATURES_FROM})
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

function(reclaunch_sign file)
  reclaunch_signing_wanted(wanted)
  if(NOT wanted)
    return()
  endif()
  find_program(RECLAUNCH_OSSLSIGNCODE osslsigncode)
  if(NOT RECLAUNCH_OSSLSIGNCODE)
    message(FATAL_ERROR "Signing needs osslsigncode: install the Debian package "
                        "osslsigncode (scripts/setup.sh does).")
  endif()
  file(REMOVE "${file}.signed")
  if(DEFINED ENV{RECLAUNCH_SIGNATURES_FROM})
    get_filename_component(name "${file}" NAME)
    set(signature "${file}.signature")
    execute_process(
      COMMAND "${RECLAUNCH_OSSLSIGNCODE}" extract-signature -in "$ENV{RECLAUNCH_SIGNATURES_FROM}/${name}"
              -out "${signature}"
      RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(result EQUAL 0)
      set(authorities "")
      if(DEFINED ENV{RECLAUNCH_SIGNATURES_CA})
        set(authorities -CAfile "$ENV{RECLAUNCH_SIGNATURES_CA}")
      endif()
      execute_process(
        COMMAND "${RECLAUNCH_OSSLSIGNCODE}" attach-signature -sigin "${signature}" ${authorities}
                -in "${file}" -out "${file}.signed"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    endif()
    file(REMOVE "${signature}")
    if(NOT result EQUAL 0 OR NOT EXISTS "${file}.signed")
      message(FATAL_ERROR "taking the signature of ${name} from $ENV{RECLAUNCH_SIGNATURES_FROM} "
                          "failed (${result}):\n${output}")
    endif()
    file(RENAME "${file}.signed" "${file}")
    return()
  endif()
  if(DEFINED ENV{RECLAUNCH_SIGN_PKCS12})
    set(identity -pkcs12 "$ENV{RECLAUNCH_SIGN_PKCS12}")
  elseif(DEFINED ENV{RECLAUNCH_SIGN_KEY})
    set(identity -certs "$ENV{RECLAUNCH_SIGN_CERT}" -key "$ENV{RECLAUNCH_SIGN_KEY}")
  else()
    message(FATAL_ERROR "RECLAUNCH_SIGN_CERT is given without RECLAUNCH_SIGN_KEY")
  endif()
  set(options -h sha256 -n "${CPACK_RECLAUNCH_PRODUCT_NAME}")
  set(password_file "${file}.password")
  if(DEFINED ENV{RECLAUNCH_SIGN_PASSWORD})
    file(TOUCH "${password_file}")
    file(CHMOD "${password_file}" PERMISSIONS OWNER_READ OWNER_WRITE)
    file(WRITE "${password_file}" "$ENV{RECLAUNCH_SIGN_PASSWORD}")
    list(APPEND options -readpass "${password_file}")
  endif()
  if(DEFINED ENV{RECLAUNCH_SIGN_TIMESTAMP})
    list(APPEND options -ts "$ENV{RECLAUNCH_SIGN_TIMESTAMP}")
  endif()
  execute_process(
    COMMAND "${RECLAUNCH_OSSLSIGNCODE}" sign ${identity} ${options} -in "${file}" -out "${file}.signed"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(REMOVE "${password_file}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "signing ${file} failed (${result}):\n${output}")
  endif()
  file(RENAME "${file}.signed" "${file}")
endfunction()
