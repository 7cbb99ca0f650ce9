Rw U 2R'
