// Gives every library one translation unit before a folder adds its own.
