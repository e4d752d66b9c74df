# The Debian package, built by scripts/package: ostrel-loan-issue_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrel-loan-issue)
set(CPACK_PACKAGE_VENDOR "OstrelLoanIssue developers")
set(CPACK_PACKAGE_CONTACT "OstrelLoanIssue developers <ostrel-loan-issue@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "loan and advance issue register of a payroll application")
set(CPACK_PACKAGE_DESCRIPTION "\
The loan-and-advance issue module of a payroll application, with its host
payroll-host. A payroll clerk opens the register of loans or salary advances,
records a new issue against an employee's approved application, edits or
cancels it, and previews or prints the issue statement. payroll-host also
creates, backs up and checks the embedded payroll database; the company's SQL
Server is reached through ODBC.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries from the binaries' needs; the module's own libraries are private to it (the
# folder is read from the staged tree, where dpkg-shlibdeps runs).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${OSTREL_INSTALL_MODULEDIR})
# What is only loaded at run time: the ODBC driver, and a font, without which a statement
# rendered offscreen to PDF has no text.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-odbc, unixodbc, fonts-dejavu-core")
# The company's SQL Server through FreeTDS; the SQLite ODBC driver loads the collation extension.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS tdsodbc)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS libsqliteodbc)

# The copyright and changelog every Debian package carries.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
configure_file(changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nkf ${CMAKE_CURRENT_BINARY_DIR}/changelog
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})

include(CPack)
