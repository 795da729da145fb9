# Authenticode signing of the Windows installer with osslsigncode, right
# after it is linked (hb_sign_executable). By default the build makes a
# self-signed code-signing certificate and its key under <build>/signing
# (build output, never part of the sources) and signs with it, so every build
# is signed the way a release is. A release signs with a real certificate:
#   -DHB_SIGN_PKCS12=/path/to/cert.pfx -DHB_SIGN_PASSWORD_FILE=/path/to/password
# or -DHB_SIGN_CERT=/path/to/cert.pem -DHB_SIGN_KEY=/path/to/key.pem.
# The unsigned link output is kept beside the signed file as
# <name>-unsigned.exe.

option(HB_SIGN "Sign the Windows installer with Authenticode after linking (osslsigncode)" ON)
set(HB_SIGN_PKCS12 "" CACHE FILEPATH
    "PKCS#12 file (.pfx, .p12) with the signing certificate, its chain and key; empty: HB_SIGN_CERT and HB_SIGN_KEY, or the build's test certificate")
set(HB_SIGN_CERT "" CACHE FILEPATH "Signing certificate with its chain (PEM, DER or SPC), used with HB_SIGN_KEY")
set(HB_SIGN_KEY "" CACHE FILEPATH "Private key of HB_SIGN_CERT (PEM or DER)")
set(HB_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of the key or of the PKCS#12 file; empty: no password")
set(HB_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server to countersign the signature (needs the network); empty: no time stamp")
set(HB_SIGN_CA_FILE "" CACHE FILEPATH
    "Certificates (PEM) the signature test trusts; empty: the test certificate when signing with it, otherwise osslsigncode's default list")

# Which credentials sign; sets hb_sign_with_test_certificate, and the test
# certificate's files when it is used.
set(hb_signing_dir "${CMAKE_BINARY_DIR}/signing")
set(HB_TEST_SIGNING_CERT "${hb_signing_dir}/test-signing-cert.pem")
set(HB_TEST_SIGNING_KEY "${hb_signing_dir}/test-signing-key.pem")
if(NOT HB_SIGN_PKCS12 STREQUAL "")
  set(hb_sign_with_test_certificate OFF)
elseif(NOT HB_SIGN_CERT STREQUAL "" OR NOT HB_SIGN_KEY STREQUAL "")
  if(HB_SIGN_CERT STREQUAL "" OR HB_SIGN_KEY STREQUAL "")
    message(FATAL_ERROR "HB_SIGN_CERT and HB_SIGN_KEY go together: set both, or HB_SIGN_PKCS12 instead")
  endif()
  set(hb_sign_with_test_certificate OFF)
else()
  set(hb_sign_with_test_certificate ON)
endif()

# hb_sign_executable(TARGET): signs TARGET's file in place after every link.
# Sets the target properties HB_UNSIGNED_FILE (the kept unsigned copy) and
# HB_SIGNING_CA_FILE (what the signature test trusts; may be empty).
function(hb_sign_executable target)
  if(NOT HB_SIGN)
    return()
  endif()
  find_program(HB_OSSLSIGNCODE osslsigncode)
  if(NOT HB_OSSLSIGNCODE)
    message(FATAL_ERROR "osslsigncode is needed to sign ${target} (scripts/setup.sh installs it), or configure with -DHB_SIGN=OFF")
  endif()

  set(credentials)
  set(ca_file "${HB_SIGN_CA_FILE}")
  if(hb_sign_with_test_certificate)
    find_program(HB_OPENSSL openssl)
    if(NOT HB_OPENSSL)
      message(FATAL_ERROR "openssl is needed to make the test signing certificate (scripts/setup.sh installs it)")
    endif()
    if(NOT TARGET hb_test_signing_certificate)
      # Ten years, RSA 3072, marked for code signing only.
      add_custom_command(
        OUTPUT "${HB_TEST_SIGNING_CERT}" "${HB_TEST_SIGNING_KEY}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${hb_signing_dir}"
        COMMAND ${HB_OPENSSL} req -x509 -newkey rsa:3072 -sha256 -days 3650 -nodes
                -subj "/O=Halbrook (test)/CN=Tidewater Kit Pack test signing"
                -addext "basicConstraints=critical,CA:FALSE"
                -addext "keyUsage=critical,digitalSignature"
                -addext "extendedKeyUsage=codeSigning"
                -keyout "${HB_TEST_SIGNING_KEY}" -out "${HB_TEST_SIGNING_CERT}"
        COMMENT "Making a self-signed test certificate for Authenticode signing"
        VERBATIM)
      add_custom_target(hb_test_signing_certificate DEPENDS "${HB_TEST_SIGNING_CERT}" "${HB_TEST_SIGNING_KEY}")
    endif()
    add_dependencies(${target} hb_test_signing_certificate)
    list(APPEND credentials "-DCERT=${HB_TEST_SIGNING_CERT}" "-DKEY=${HB_TEST_SIGNING_KEY}")
    if(ca_file STREQUAL "")
      set(ca_file "${HB_TEST_SIGNING_CERT}")
    endif()
  elseif(NOT HB_SIGN_PKCS12 STREQUAL "")
    list(APPEND credentials "-DPKCS12=${HB_SIGN_PKCS12}")
  else()
    list(APPEND credentials "-DCERT=${HB_SIGN_CERT}" "-DKEY=${HB_SIGN_KEY}")
  endif()

  get_target_property(output_name ${target} OUTPUT_NAME)
  if(NOT output_name)
    set(output_name ${target})
  endif()
  set(unsigned "$<TARGET_FILE_DIR:${target}>/${output_name}-unsigned$<TARGET_FILE_SUFFIX:${target}>")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} "-DOSSLSIGNCODE=${HB_OSSLSIGNCODE}" "-DEXECUTABLE=$<TARGET_FILE:${target}>"
            "-DUNSIGNED=${unsigned}" ${credentials} "-DPASSWORD_FILE=${HB_SIGN_PASSWORD_FILE}"
            "-DTIMESTAMP_URL=${HB_SIGN_TIMESTAMP_URL}" "-DDESCRIPTION=Tidewater Kit Pack Installer"
            -P "${PROJECT_SOURCE_DIR}/cmake/sign_executable.cmake"
    COMMENT "Signing ${target}"
    VERBATIM)
  set_target_properties(${target} PROPERTIES HB_UNSIGNED_FILE "${unsigned}" HB_SIGNING_CA_FILE "${ca_file}")
endfunction()
