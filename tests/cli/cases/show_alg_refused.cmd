show
--size
4
--alg
R 5R
