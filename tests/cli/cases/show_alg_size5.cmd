show
--size
5
--alg-file
wide.alg
--moves
U
--alg
[M, U]
