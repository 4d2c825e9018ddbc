# The status-text font, copied into the runtime directory under the name the game opens.
