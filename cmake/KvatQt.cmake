# Qt's code generators (moc, uic) run for the targets that ask for them and no others: run
# project-wide they give every core library and test an _autogen folder and a generator step
# for nothing.

# A target whose sources hold Q_OBJECT classes or forms.
function(kvat_qt_target target)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTOUIC ON)
endfunction()
