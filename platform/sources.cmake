# Sources of platform/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
)
list(APPEND ZRN_GUI_SOURCES
)
