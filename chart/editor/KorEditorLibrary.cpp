// The chart editor library; its forms and dialogs are added file by file.
