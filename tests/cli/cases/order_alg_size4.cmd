order
--size
4
--alg
Rw U 2R'
