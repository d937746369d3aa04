# The features of Qt that the program's own Qt builds leave out, for the web
# and for Windows alike: modules, pictures, documents, dialogs and widgets
# the program has none of. Sourced by web-qt.sh and windows-qt.sh, which add
# their platform's own.
qt_features_off=(
    # Modules the program does not use.
    sql network dbus printsupport xml concurrent
    # The widgets draw with the raster engine.
    vulkan
    # Pictures are PNG; no documents or movies.
    jpeg gif ico imageformat_ppm imageformat_xbm movie
    textmarkdownreader textmarkdownwriter textodfwriter pdf
    sessionmanager systemtrayicon
    # Dialogs and widgets the program lacks.
    filedialog colordialog fontdialog printdialog wizard
    mdiarea dockwidget calendarwidget datetimeedit lcdnumber dial splashscreen
)
